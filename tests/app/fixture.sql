-- Users, units and versions for the start-up, login and unit switch tests.
INSERT INTO ac_fin_year (ac_year_code, ac_db_name, ac_default) VALUES ('2026', 'selvoro_acc2026', 1), ('2025', 'selvoro_acc2025', 0);
INSERT INTO versionmaster (pack_code, version_code) VALUES ('advt', 'V14.6'), ('circ', 'V2.0');
INSERT INTO unitmaster (unit_code, unit_name, unit_app_advt, unit_priority) VALUES
  ('001', 'Chennai', 0, 2), ('002', 'Madurai', 2, 1), ('003', 'Trichy', 1, 3), ('004', 'Salem', 0, 4);
INSERT INTO userdetails (user_id, user_name, user_password, user_login_advt, user_type) VALUES
  (1, 'first', 'secret', 1, 1),
  (2, 'clerk', 'pass2', 1, 0),
  (3, 'boss', 'pass3', 1, 1),
  (4, 'outsider', 'pass4', 0, 0),
  (5, 'nopass', NULL, 1, 0),
  (6, 'noflag', 'pass6', NULL, NULL),
  (7, 'O''Brien', 'pass7', 1, 0);
INSERT INTO unitaccess (unit_code, user_id) VALUES ('001', 2), ('002', 2), ('003', 2), ('001', 3), ('004', 3);
INSERT INTO advt_lockmaster (user_id, lock_form) VALUES (1, 'a'), (2, 'b'), (2, 'c'), (4, 'd');

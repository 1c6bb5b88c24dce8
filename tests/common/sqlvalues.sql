-- Texts holding backslashes and quotes in every place a value reaches a statement: a user name, a
-- unit, product codes and bill numbers of both bill kinds. Loaded with the server's default
-- sql_mode, where '\\' in a literal is one backslash.
INSERT INTO unitmaster (unit_code, unit_name, unit_app_advt, unit_priority) VALUES ('K\\1', 'Back\\slash', 0, 1);
INSERT INTO userdetails (user_id, user_name, user_password, user_login_advt, user_type) VALUES
    (2, 'a\\b', 'p\\w''', 1, 0);
INSERT INTO unitaccess (unit_code, user_id) VALUES ('K\\1', 2);
INSERT INTO numbersetup (no_id, no_value) VALUES ('ADVT_SPLIT', 'SP0007');
INSERT INTO editionmaster (edition_code, edition_name) VALUES ('E\\1', 'Edition');
INSERT INTO productmaster (product_code, product_name) VALUES ('D\\L', 'Daily \\ Backslash');
INSERT INTO advt_clienttype (group_code, group_name, group_no_of_bills) VALUES ('G\\1', 'Group', 1);
INSERT INTO advt_subarea (sub_code, sub_name) VALUES ('S1', 'Area');
INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea) VALUES
    ('A\\1', 'Agency', 'G\\1', 'S1'),
    ('010590', 'DAVP', 'G\\1', 'S1');
INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code,
    sch_client_name, sch_ed_code, sch_gross_amt, sch_net_total) VALUES
    ('K\\1', 'K\\100001', 'KB\\1', '2026-03-02', '2026-03-02', 'A\\1', 'One', 'D\\L', 100, 100),
    ('K\\1', 'K\\100002', 'KB\\2', '2026-03-02', '2026-03-02', 'A\\1', 'Two', 'TAB', 100, 100),
    ('K\\1', 'K\\100003', 'KB\\3', '2026-03-02', '2026-03-02', '010590', 'Three', 'D\\L', 100, 100),
    ('K\\1', 'K\\100004', 'KB\\4', '2026-03-02', '2026-03-02', '010590', 'Four', 'TAB', 100, 100);

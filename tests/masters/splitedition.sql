-- Two units, three editions, the split series at SP0007 and four split editions: one of another
-- unit, one without a code and one whose edition is not in the edition master (never listed).
INSERT INTO unitmaster (unit_code, unit_name, unit_app_advt, unit_priority) VALUES
    ('01', 'Chennai', 0, 2), ('02', 'Madurai', 0, 1);
INSERT INTO editionmaster (edition_code, edition_name) VALUES
    ('01', 'Chennai City'), ('02', 'Madurai City'), ('E3', 'Coimbatore');
INSERT INTO numbersetup (no_id, no_value) VALUES ('ADVT_SPLIT', 'SP0007'), ('ADBL_01', 'AB/00120');
INSERT INTO advt_splitedition (unit_code, split_code, split_name, edition_code, created_by) VALUES
    ('01', 'SP0003', 'North Chennai', '01', 1),
    ('02', 'SP0001', 'Madurai Rural', '02', 1),
    ('01', NULL, 'Old Town', 'E3', 1),
    ('01', 'SP0005', 'Orphan', 'XX', 1);

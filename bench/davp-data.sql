-- Synthetic DAVP data for the generation benchmark: 10,000 billed DAVP schedules of unit KOC over
-- the year 2026, word-priced and area-priced, at four DAVP rates of which one is missing from the
-- rate master (each bill costs the agency, page and rate-master look-ups), two insertions each.
SET SESSION max_recursive_iterations = 100000;
INSERT INTO ac_fin_year (ac_year_code, ac_db_name, ac_default) VALUES ('2026', 'selvoro_acc2026', 1);
INSERT INTO versionmaster (pack_code, version_code) VALUES ('advt', 'V14.6');
INSERT INTO unitmaster (unit_code, unit_name, unit_app_advt, unit_priority) VALUES ('KOC', 'Kochi', 0, 1);
INSERT INTO userdetails (user_id, user_name, user_password, user_login_advt, user_type) VALUES (2, 'clerk', 'pass2', 1, 0);
INSERT INTO unitaccess (unit_code, user_id) VALUES ('KOC', 2);
INSERT INTO productmaster (product_code, product_name) VALUES ('DLY', 'Daily Edition');
INSERT INTO numbersetup (no_id, no_value) VALUES ('ADBL_KOC', 'DV/000000');
INSERT INTO advt_clienttype (group_code, group_name, group_no_of_bills, group_show_comm, group_show_address) VALUES
    ('GV', 'Government - DAVP', 1, 1, 1);
INSERT INTO advt_subarea (sub_code, sub_name) VALUES ('DEL', 'New Delhi');
INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea, agency_add1, agency_add2, agency_add3)
    VALUES ('010590', 'DIRECTORATE OF ADVERTISING AND VISUAL PUBLICITY', 'GV', 'DEL', 'Soochna Bhawan', 'CGO Complex',
            'New Delhi 110003');
INSERT INTO advt_ratemaster (rate_code, rate_name, rate_ed_code, rate_card_rate, rate_davp_code, rate_place) VALUES
    ('DV001', 'DAVP display Kochi', 'DLY', 31.50, '130187', 'KOCHI'),
    ('DV002', 'DAVP display Thrissur', 'DLY', 28.40, '130192', 'THRISSUR'),
    ('DV004', 'DAVP classified', 'DLY', 9.00, '130187', 'KOCHI');

INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code, sch_agtype,
    sch_client_name, sch_client_address, sch_client_address2, sch_client_address3, sch_ed_code, sch_ed_pdt,
    sch_ratecode, sch_caption, sch_ad_ref, sch_ro_no, sch_ro_date, sch_words, sch_cols, sch_sqcm, sch_sqcms,
    sch_card_rate, sch_new_rate, sch_ext_chg, sch_disc_amt, sch_comm_per, sch_gross_amt, sch_net_total)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000)
SELECT 'KOC', CONCAT('KOC', LPAD(i, 7, '0')), CONCAT('DV/', LPAD(i, 6, '0')),
       DATE_ADD('2026-01-01', INTERVAL i % 360 DAY), DATE_ADD('2026-01-01', INTERVAL i % 360 DAY), '010590', 'GV',
       IF(i % 2 = 0, 'MINISTRY OF INFORMATION', 'NATIONAL HIGHWAYS AUTHORITY'), 'Shastri Bhawan',
       'Rajendra Prasad Road', 'New Delhi 110001', 'DLY', 'Daily Kochi', ELT(1 + i % 4, 'DV001', 'DV002', 'DV004', 'DV009'),
       CONCAT('Notice ', i), 'DAVP', CONCAT('DAVP/', 23000 + i, '/2627'), '2025-12-20',
       IF(i % 4 = 2, 40, 0), 1 + i % 6, IF(i % 4 = 2, 0, 40 + i % 200), 10 + i % 50, 31.50, 28 + i % 4 * 0.5,
       i % 7 * 50, i % 11 * 45.5, 15, 1000 + i % 997 + 0.25, 1050.26 + i % 997
FROM n;

INSERT INTO advt_scheduledetails (unit_code, sdet_sch_code, sdet_ins_date, sdet_page)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)
SELECT 'KOC', CONCAT('KOC', LPAD(1 + i % 10000, 7, '0')), '2026-01-01', 1 + i % 16 FROM n;

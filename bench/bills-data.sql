-- Synthetic billing data for the generation benchmark: 10,000 billed schedules of unit KOC over
-- the year 2026, 200 agencies in 10 sub-areas, 1,000 clients with their own GST identity (every
-- bill of GST type 1, so each costs the agency, client and page look-ups), three insertions each.
SET SESSION max_recursive_iterations = 100000;
INSERT INTO ac_fin_year (ac_year_code, ac_db_name, ac_default) VALUES ('2026', 'selvoro_acc2026', 1);
INSERT INTO versionmaster (pack_code, version_code) VALUES ('advt', 'V14.6');
INSERT INTO unitmaster (unit_code, unit_name, unit_app_advt, unit_priority) VALUES ('KOC', 'Kochi', 0, 1);
-- The unit's bill numbering, which completes the bill numbers a sample run is asked for.
INSERT INTO numbersetup (no_id, no_value) VALUES ('ADBL_KOC', 'KB/000000');
INSERT INTO userdetails (user_id, user_name, user_password, user_login_advt, user_type) VALUES (2, 'clerk', 'pass2', 1, 0);
INSERT INTO unitaccess (unit_code, user_id) VALUES ('KOC', 2);
INSERT INTO productmaster (product_code, product_name) VALUES ('DLY', 'Daily Edition');
INSERT INTO acc_companymaster (comp_code, comp_name, comp_gstin, comp_cin) VALUES
    ('SV', 'Publisher', '32SVGSTIN00001', 'SVCIN0000000000000001'),
    ('SX', 'Second Company', '32SXGSTIN00002', 'SXCIN0000000000000002');
INSERT INTO advt_clienttype (group_code, group_name, group_no_of_bills, group_show_comm, group_show_address, group_bp_type) VALUES
    ('AG', 'Agency', 2, 1, 1, 1), ('DR', 'Direct', 1, 0, 0, 2);

INSERT INTO advt_subarea (sub_code, sub_name)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10)
SELECT CONCAT('S', i), CONCAT('Sub area ', i) FROM n;

INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea, agency_add1, agency_add2,
                               agency_add3, agency_bill_colcms, agency_gstin, agency_pan)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200)
SELECT CONCAT('A', LPAD(i, 4, '0')), CONCAT('Agency ', i), IF(i % 4 = 0, 'DR', 'AG'), CONCAT('S', 1 + i % 10),
       CONCAT(i, ' MG Road'), 'Kochi', 'Kerala', i % 8, CONCAT('32AG', LPAD(i, 11, '0')), CONCAT('AGPAN', LPAD(i, 5, '0'))
FROM n;

INSERT INTO advt_clientmaster (client_code, client_name, client_gstin, client_pan)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000)
SELECT CONCAT('C', LPAD(i, 5, '0')), CONCAT('Client ', i), CONCAT('32CL', LPAD(i, 11, '0')), IF(i % 3 = 0, '', CONCAT('CLPAN', LPAD(i, 5, '0')))
FROM n;

INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code, sch_agtype,
    sch_client_code, sch_client_name, sch_client_address, sch_client_address2, sch_client_address3, sch_ed_code,
    sch_ed_pdt, sch_caption, sch_words, sch_cols, sch_sqcm, sch_sqcms, sch_card_rate, sch_new_rate, sch_ext_chg,
    sch_disc_amt, sch_comm_per, sch_gross_amt, sch_gst_type, sch_gst_per, sch_sgst_per, sch_gst_amt, sch_sgst_amt,
    sch_net_total, sch_gross_bill, sch_ro_no, sch_ro_date, sch_budget)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000)
SELECT 'KOC', CONCAT('KOC', LPAD(i, 7, '0')), CONCAT('KB/', LPAD(i, 6, '0')),
       DATE_ADD('2026-01-01', INTERVAL i % 360 DAY), DATE_ADD('2026-01-01', INTERVAL i % 360 DAY),
       CONCAT('A', LPAD(1 + i % 200, 4, '0')), IF((1 + i % 200) % 4 = 0, 'DR', 'AG'),
       CONCAT('C', LPAD(1 + i % 1000, 5, '0')), CONCAT('Client ', 1 + i % 1000, ', Trading Co'), 'Broadway', 'Ernakulam',
       'Kerala', IF(i % 10 = 0, 'FSH', 'DLY'), IF(i % 10 = 0, 'Fashion', 'Daily Kochi'), CONCAT('Caption ', i),
       IF(i % 3 = 0, 25, 0), 1 + i % 12, 40 + i % 200, 10 + i % 50, 120, 100 + i % 30, i % 7 * 50, i % 11 * 45.5,
       15, 1000 + i % 997 + 0.25, 1, 9, 9, 90.02, 90.02, 1180.29 + i % 997, 1180.29 + i % 997,
       IF(i % 2 = 0, CONCAT('RO-', i), ''), IF(i % 2 = 0, '2025-12-20', NULL), i % 5 * 1000
FROM n;

INSERT INTO advt_scheduledetails (unit_code, sdet_sch_code, sdet_ins_date, sdet_page)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30000)
SELECT 'KOC', CONCAT('KOC', LPAD(1 + i % 10000, 7, '0')), '2026-01-01', 1 + i % 16 FROM n;

-- Schedules of unit KOC crafted for bill generation: each date holds the bills of one case.
INSERT INTO acc_companymaster (comp_code, comp_name, comp_gstin, comp_cin) VALUES
    ('SV', 'Publisher', '32SVGSTIN00001', 'SVCIN0000000000000001'),
    ('SX', 'Second Company', '32SXGSTIN00002', 'SXCIN0000000000000002'),
    ('ZZ', 'Other', 'ZZGSTIN', 'ZZCIN');

INSERT INTO productmaster (product_code, product_name) VALUES ('DLY', 'Daily');

INSERT INTO advt_clienttype (group_code, group_name, group_no_of_bills, group_show_comm, group_show_address, group_bp_type) VALUES
    ('AG', 'Agency', 2, 1, 1, 1),
    ('DR', 'Direct', 1, 0, 0, 2),
    ('NB', 'No bill', 0, 0, 0, 0);

INSERT INTO advt_subarea (sub_code, sub_name) VALUES ('S1', 'Ernakulam');

INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea, agency_add1, agency_add2, agency_add3,
                               agency_bill_colcms, agency_gstin, agency_pan) VALUES
    ('A001', 'Alpha Ads', 'AG', 'S1', 'MG Road', 'Kochi', 'Kerala', 5, '32AGGSTIN0001', 'AGPAN0001A'),
    ('A002', 'Direct Desk', 'DR', 'S1', 'Desk Lane', '', '', 0, '32DRGSTIN0002', 'DRPAN0002B'),
    ('A003', 'Never Billed', 'NB', 'S1', '', '', '', 0, '', ''),
    ('A004', 'Lost Area', 'AG', 'XX', 'Nowhere', '', '', 7, 'LOSTGST', 'LOSTPAN');

INSERT INTO advt_clientmaster (client_code, client_name, client_gstin, client_pan) VALUES
    ('C001', 'Client One', '32CLGSTIN0001', ''),
    ('C002', 'Client Two', '', '');

INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code, sch_agtype,
    sch_client_code, sch_client_name, sch_client_address, sch_client_address2, sch_client_address3, sch_ed_code,
    sch_ed_pdt, sch_words, sch_cols, sch_sqcm, sch_sqcms, sch_card_rate, sch_new_rate, sch_ext_chg, sch_disc_amt,
    sch_comm_per, sch_gross_amt, sch_gst_type, sch_gst_per, sch_sgst_per, sch_gst_amt, sch_sgst_amt, sch_net_total,
    sch_gross_bill, sch_ro_no, sch_ro_date, sch_budget) VALUES
-- 05-Jan: area-priced discounts (cancelling; set against an extra charge)
    ('KOC', 'KOC0000101', 'KB/00001', '2026-01-05', '2026-01-05', 'A001', 'AG', 'C002', 'A client name longer than thirty characters', 'Broadway', 'Line 2', 'Line 3', 'DLY', 'Daily Kochi', 0, 2, 50, 25, 100, 90, 0, 700, 15, 1000, 0, 9, 9, 90, 90, 1500, 1180, 'RO-1', '2026-01-01', 2000),
    ('KOC', 'KOC0000102', 'KB/00002', '2026-01-05', '2026-01-05', 'A001', 'AG', 'C002', 'Client B', 'Street B', '', '', 'DLY', 'Daily Kochi', 0, 2, 50, 25, 100, 90, 500, 700, 0, 1000, 0, 2.5, 2.5, 90.5, 90.25, 1500, 1180, '', NULL, 0),
-- 06-Jan: word-priced, and exact halves of the net discount
    ('KOC', 'KOC0000201', 'KB/00003', '2026-01-06', '2026-01-06', 'A001', 'AG', 'C002', 'Word Client', 'W Street', '', '', 'DLY', 'Daily Kochi', 20, 1, 0, 0, 10, 8, 0, 50, 0, 200, 0, 0, 0, 0, 0, 200, 200, '', NULL, 0),
    ('KOC', 'KOC0000202', 'KB/00004', '2026-01-06', '2026-01-06', 'A001', 'AG', 'C002', 'Half Down', '', '', '', 'DLY', 'Daily Kochi', 20, 1, 0, 0, 10, 8, 0, 42.5, 0, 200, 0, 0, 0, 0, 0, 200, 200, '', NULL, 0),
    ('KOC', 'KOC0000203', 'KB/00005', '2026-01-06', '2026-01-06', 'A001', 'AG', 'C002', 'Half Up', '', '', '', 'DLY', 'Daily Kochi', 20, 1, 0, 0, 10, 8, 0, 43.5, 0, 200, 0, 0, 0, 0, 0, 200, 200, '', NULL, 0),
-- 07-Jan: the second company's product, and a client with its own GSTIN
    ('KOC', 'KOC0000301', 'KB/00006', '2026-01-07', '2026-01-07', 'A001', 'AG', 'C002', 'Fashion Client', '', '', '', 'FSH', 'Fashion', 0, 2, 78, 0, 100, 100, 0, 0, 0, 1000, 0, 0, 0, 0, 0, 1000, 1000, '', NULL, 0),
    ('KOC', 'KOC0000302', 'KB/00007', '2026-01-07', '2026-01-07', 'A002', 'DR', 'C001', 'GST Client', '', '', '', 'DLY', 'Daily Kochi', 0, 3, 61, 0, 100, 100, 0, 0, 0, 915, 1, 0, 0, 0, 0, 915, 915, '', NULL, 0),
-- 08-Jan: filters (product, bill numbers, agency type); excluded rows below
    ('KOC', 'KOC0000401', 'KB/00010', '2026-01-08', '2026-01-08', 'A001', 'AG', 'C002', 'Filter AG', '', '', '', 'DLY', 'Daily', 0, 1, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 100, 100, '', NULL, 0),
    ('KOC', 'KOC0000402', 'KB/00010', '2026-01-08', '2026-01-08', 'A001', 'AG', 'C002', 'Filter AG', '', '', '', 'DLY', 'Daily', 0, 1, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 100, 100, '', NULL, 0),
    ('KOC', 'KOC0000403', 'KB/00011', '2026-01-08', '2026-01-08', 'A002', 'DR', 'C002', 'Filter DR', '', '', '', 'TAB', 'Tabloid', 0, 1, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 100, 100, '', NULL, 0),
    ('KOC', 'KOC0000404', 'KB/00012', '2026-01-08', '2026-01-08', 'A003', 'NB', 'C002', 'No copies', '', '', '', 'DLY', 'Daily', 0, 1, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 100, 100, '', NULL, 0),
    ('KOC', 'KOC0000405', 'KB/00013', '2026-01-08', '2026-01-08', 'A001', 'AG', 'C002', 'Zero net', '', '', '', 'DLY', 'Daily', 0, 1, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 100, '', NULL, 0),
    ('KOC', 'KOC0000406', '', NULL, '2026-01-08', 'A001', 'AG', 'C002', 'Unbilled', '', '', '', 'DLY', 'Daily', 0, 1, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 100, 100, '', NULL, 0),
    ('TVM', 'TVM0000407', 'TB/00014', '2026-01-08', '2026-01-08', 'A001', 'AG', 'C002', 'Other unit', '', '', '', 'DLY', 'Daily', 0, 1, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 100, 100, '', NULL, 0),
    ('KOC', 'KOC0000408', 'KB/O''X', '2026-01-08', '2026-01-08', 'A001', 'AG', 'C002', 'Quote bill', '', '', '', 'O''X', 'Quote', 0, 1, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 100, 100, '', NULL, 0),
-- 09-Jan: an unbilled schedule opened on its own, with its pages
    ('KOC', 'KOC0000901', '', NULL, '2026-01-09', 'A001', 'AG', 'C002', 'Single', 'S Road', '', '', 'DLY', 'Daily', 0, 1, 38, 0, 0, 0, 0, 0, 0, 380, 0, 0, 0, 0, 0, 380, 380, '', NULL, 0),
-- 10-Jan: exchange entries netted into extra charge and discount
    ('KOC', 'KOC0001001', 'KB/00020', '2026-01-10', '2026-01-10', 'A001', 'AG', 'C002', 'Exchange Words', 'E Road', '', '', 'DLY', 'Daily', 20, 1, 0, 0, 10, 10, 100, 50.4, 0, 200, 0, 0, 0, 0, 0, 200, 200, '', NULL, 0),
    ('KOC', 'KOC0001002', 'KB/00021', '2026-01-10', '2026-01-10', 'A001', 'AG', 'C002', 'Exchange Area', '', '', '', 'DLY', 'Daily', 0, 1, 10, 0, 10, 10, 100, 40, 0, 100, 0, 0, 0, 0, 0, 100, 100, '', NULL, 0),
    ('KOC', 'KOC0001003', 'KB/00022', '2026-01-10', '2026-01-10', 'A001', 'AG', 'C002', 'Exchange Small', '', '', '', 'DLY', 'Daily', 0, 1, 10, 0, 10, 10, 10, 40, 0, 100, 0, 0, 0, 0, 0, 100, 100, '', NULL, 0),
-- 11-Jan: a column count outside the tables as the first bill, then a known one
    ('KOC', 'KOC0001101', 'KB/00030', '2026-01-11', '2026-01-11', 'A001', 'AG', 'C002', 'Wide', '', '', '', 'DLY', 'Daily', 0, 20, 100, 0, 0, 0, 0, 0, 0, 1000, 0, 0, 0, 0, 0, 1000, 1000, '', NULL, 0),
    ('KOC', 'KOC0001102', 'KB/00031', '2026-01-11', '2026-01-11', 'A001', 'AG', 'C002', 'Narrow', '', '', '', 'DLY', 'Daily', 0, 1, 19, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 100, 100, '', NULL, 0),
    ('KOC', 'KOC0001103', 'KB/00032', '2026-01-11', '2026-01-11', 'A001', 'AG', 'C002', 'Wide again', '', '', '', 'DLY', 'Daily', 0, 20, 19, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 100, 100, '', NULL, 0),
-- 12-Jan: an agency whose sub-area is missing
    ('KOC', 'KOC0001201', 'KB/00040', '2026-01-12', '2026-01-12', 'A004', 'AG', 'C002', 'Lost', 'L Road', '', '', 'DLY', 'Daily', 0, 1, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 100, 100, '', NULL, 0);

INSERT INTO advt_scheduledetails (unit_code, sdet_sch_code, sdet_ins_date, sdet_page) VALUES
    ('KOC', 'KOC0000901', '2026-01-09', '3'),
    ('KOC', 'KOC0000901', '2026-01-10', '5'),
    ('KOC', 'KOC0000901', '2026-01-11', '3'),
    ('TVM', 'KOC0000901', '2026-01-11', '9');

INSERT INTO advt_sch_exchg (unit_code, sdet_sch_code, sdet_dr_amt, sdet_cr_amt) VALUES
    ('KOC', 'KOC0001001', 10, 5),
    ('KOC', 'KOC0001001', 20, 15),
    ('TVM', 'KOC0001001', 1000, 1000);

-- February: twenty plain bills, one a day, for the view and the row counter.
INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code, sch_agtype,
    sch_client_name, sch_ed_code, sch_ed_pdt, sch_cols, sch_gross_amt, sch_net_total)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20)
SELECT 'KOC', CONCAT('KOC00020', LPAD(i, 2, '0')), CONCAT('KB/1', LPAD(i, 4, '0')), DATE_ADD('2026-02-01', INTERVAL i - 1 DAY),
       DATE_ADD('2026-02-01', INTERVAL i - 1 DAY), 'A001', 'AG', CONCAT('Client ', i), 'DLY', 'Daily', 1, 100, 100 FROM n;

-- 13-Jan: codes holding quotes reach the per-bill look-ups intact; a lower-case agency code
-- finds its agency as the joins do.
INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea, agency_add1) VALUES
    ('Q''1', 'Quote Agency', 'AG', 'S1', 'Q Road');
INSERT INTO advt_clientmaster (client_code, client_name, client_gstin, client_pan) VALUES ('C''Q', 'Quote Client', 'QGSTIN', 'QPAN');
INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code, sch_client_code,
    sch_gst_type, sch_client_name, sch_ed_code, sch_gross_amt, sch_net_total) VALUES
    ('KOC', 'KOC''01301', 'KB/00050', '2026-01-13', '2026-01-13', 'Q''1', 'C''Q', 1, 'Quoted', 'DLY', 100, 100),
    ('KOC', 'KOC0001302', 'KB/00051', '2026-01-13', '2026-01-13', 'a001', 'c001', 1, 'Lower', 'DLY', 100, 100);
INSERT INTO advt_scheduledetails (unit_code, sdet_sch_code, sdet_ins_date, sdet_page) VALUES ('KOC', 'KOC''01301', '2026-01-13', '12');

-- 14-Jan: bills of GST type 1 whose client has no row in the client master (the agency's identity
-- stays) or has one, neither with insertion details.
INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code, sch_client_code,
    sch_gst_type, sch_client_name, sch_ed_code, sch_gross_amt, sch_net_total) VALUES
    ('KOC', 'KOC0001401', 'KB/00060', '2026-01-14', '2026-01-14', 'A001', 'C404', 1, 'Missing client', 'DLY', 100, 100),
    ('KOC', 'KOC0001402', 'KB/00061', '2026-01-14', '2026-01-14', 'A001', 'C001', 1, 'Known client', 'DLY', 100, 100);

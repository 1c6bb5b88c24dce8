-- The two-day bills of gst-range, asked for by bare running numbers that the unit's numbering
-- completes: 2 and 3 are KB/00002 and KB/00003.
INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code, sch_agtype,
    sch_client_code, sch_client_name, sch_client_address, sch_client_address2, sch_client_address3, sch_ed_code,
    sch_ed_pdt, sch_caption, sch_words, sch_cols, sch_sqcm, sch_sqcms, sch_card_rate, sch_new_rate, sch_ext_chg,
    sch_disc_amt, sch_comm_per, sch_gross_amt, sch_gst_type, sch_gst_per, sch_sgst_per, sch_gst_amt, sch_sgst_amt,
    sch_igst_per, sch_igst_amt, sch_net_total, sch_gross_bill, sch_ro_no, sch_ro_date, sch_budget, sch_box_no,
    sch_box_chg, sch_del_chg, sch_ad_ref) VALUES
    ('KOC', 'KOC0000101', 'KB/00001', '2026-01-05', '2026-01-05', 'A001', 'AG', 'C002', 'Sree "Lakshmi" Traders, Kochi', 'Broadway', 'Line 2', 'Line 3', 'DLY', 'Daily Kochi', 'Grand sale', 0, 2, 50, 25, 100, 90, 500, 700, 15, 1000, 0, 9, 9, 90, 90, 0, 0, 1180, 1180, 'RO-1', '2026-01-01', 2000, 'B12', 25, 10, 'REF-1'),
    ('KOC', 'KOC0000102', 'KB/00002', '2026-01-05', '2026-01-05', 'A002', 'DR', 'C001', 'Word Client', 'W Street', '', '', 'DLY', 'Daily Kochi', 'Wanted', 20, 1, 0, 0, 10, 8, 0, 42.5, 0, 200, 1, 2.5, 2.5, 5, 5, 0, 0, 210, 210, '', NULL, 0, '', 0, 0, ''),
    ('KOC', 'KOC0000201', 'KB/00003', '2026-01-06', '2026-01-06', 'A001', 'AG', 'C002', 'Fashion House', 'F Road', '', '', 'FSH', 'Fashion', 'Trends', 0, 2, 78, 0, 100, 100, 0, 0, 10, 1000.5, 0, 0, 0, 0, 0, 18, 180.09, 1180.59, 1180.59, '', NULL, 0, '', 0, 0, ''),
    ('KOC', 'KOC0000202', '', NULL, '2026-01-06', 'A001', 'AG', 'C002', 'Unbilled', '', '', '', 'DLY', 'Daily', '', 0, 1, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 0, 100, 100, '', NULL, 0, '', 0, 0, ''),
    ('01', '010000203', 'CB/00004', '2026-01-06', '2026-01-06', 'A001', 'AG', 'C002', 'Chennai', '', '', '', 'DLY', 'Daily', '', 0, 1, 0, 0, 0, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 0, 100, 100, '', NULL, 0, '', 0, 0, '');
INSERT INTO advt_scheduledetails (unit_code, sdet_sch_code, sdet_ins_date, sdet_page) VALUES
    ('KOC', 'KOC0000101', '2026-01-05', '1'), ('KOC', 'KOC0000101', '2026-01-06', '7');
INSERT INTO numbersetup (no_id, no_value) VALUES ('ADBL_KOC', 'KB/00000');

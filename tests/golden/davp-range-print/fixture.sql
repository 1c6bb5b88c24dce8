-- DAVP bills of two days: the word-priced and area-priced examples of the DAVP adjustment, a rate
-- the rate master does not know (the agency's sub-area is the place), a bill with its pages, and
-- a client name with a comma and quotes; another agency's bill and an unbilled DAVP schedule stay
-- out.
INSERT INTO advt_clienttype (group_code, group_name, group_no_of_bills, group_show_comm, group_show_address) VALUES
    ('GV', 'Government', 1, 1, 0);
INSERT INTO advt_subarea (sub_code, sub_name) VALUES ('DEL', 'New Delhi');
INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea, agency_add1) VALUES
    ('010590', 'DAVP', 'GV', 'DEL', 'Soochna Bhawan');
INSERT INTO advt_ratemaster (rate_code, rate_name, rate_davp_code, rate_place) VALUES
    ('DV001', 'DAVP display', '110234', 'Kochi'), ('DV002', 'DAVP classified', '110235', 'Kochi');
INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code, sch_client_name,
    sch_client_address, sch_client_address2, sch_client_address3, sch_ed_code, sch_ed_pdt, sch_ratecode, sch_caption,
    sch_ad_ref, sch_ro_no, sch_ro_date, sch_words, sch_cols, sch_sqcm, sch_card_rate, sch_new_rate, sch_ext_chg,
    sch_disc_amt, sch_comm_per, sch_gross_amt, sch_net_total) VALUES
    ('KOC', 'KOC0000101', 'DV/00001', '2026-02-02', '2026-02-02', '010590', 'MINISTRY OF INFORMATION', 'Shastri Bhawan', 'Rajendra Prasad Road', 'New Delhi 110001', 'DLY', 'Daily', 'DV002', 'PUBLIC NOTICE', 'MOI', 'RO/77', '2026-01-28', 10, 1, 0, 100, 80, 25, 50, 15, 800, 920),
    ('KOC', 'KOC0000102', 'DV/00002', '2026-02-02', '2026-02-02', '010590', 'NHAI, "Dwarka" O''Brien', 'Sector 10', '', 'New Delhi 110075', 'DLY', 'Daily', 'DV001', 'TENDER', 'NHAI', '', '2026-01-29', 0, 2, 10, 100, 80, 30, 50, 12.5, 1000, 1150.5),
    ('KOC', 'KOC0000103', 'DV/00003', '2026-02-03', '2026-02-03', '010590', 'Unknown Rate', '', '', '', 'DLY', 'Daily', 'DV999', '', '', '', NULL, 0, 1, 10, 50, 50, 2.5, 2.5, 15, 500, 525),
    ('KOC', 'KOC0000104', 'DV/00004', '2026-02-03', '2026-02-03', '010590', 'With Pages', '', '', '', 'DLY', 'Daily', 'DV001', '', '', '', NULL, 0, 1, 10, 50, 50, 0, 0, 15, 500, 525),
    ('KOC', 'KOC0000106', '', NULL, '2026-02-03', '010590', 'Unbilled', '', '', '', 'DLY', 'Daily', 'DV001', '', '', '', NULL, 0, 1, 10, 50, 50, 0, 0, 15, 500, 525),
    ('KOC', 'KOC0000107', 'KB/00001', '2026-02-03', '2026-02-03', 'A001', 'Not DAVP', '', '', '', 'DLY', 'Daily', 'DV001', '', '', '', NULL, 0, 1, 10, 50, 50, 0, 0, 15, 500, 525);
INSERT INTO advt_scheduledetails (unit_code, sdet_sch_code, sdet_ins_date, sdet_page) VALUES
    ('KOC', 'KOC0000104', '2026-02-03', '4');

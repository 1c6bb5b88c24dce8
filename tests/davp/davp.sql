-- DAVP schedules of unit KOC crafted for DAVP bill generation: each date holds the bills of one case.
INSERT INTO numbersetup (no_id, no_value) VALUES ('ADBL_KOC', 'DV/00120');

INSERT INTO advt_clienttype (group_code, group_name, group_no_of_bills, group_show_comm, group_show_address, group_bp_type) VALUES
    ('GV', 'Government', 1, 1, 0, 0),
    ('AG', 'Agency', 2, 1, 1, 1);

INSERT INTO advt_subarea (sub_code, sub_name) VALUES ('DEL', 'New Delhi'), ('S1', 'Ernakulam');

INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea, agency_add1, agency_add2, agency_add3) VALUES
    ('010590', 'DAVP', 'GV', 'DEL', 'Soochna Bhawan', 'CGO Complex', 'Lodhi Road'),
    ('A001', 'Alpha Ads', 'AG', 'S1', 'MG Road', '', '');

INSERT INTO advt_ratemaster (rate_code, rate_name, rate_davp_code, rate_place) VALUES
    ('DV001', 'DAVP display', '110234', 'Kochi'),
    ('DV002', 'DAVP classified', '110235', NULL),
    ('DV''Q', 'Quoted rate', '110299', 'Quote\\Town');

INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code, sch_agtype,
    sch_client_name, sch_client_address, sch_client_address2, sch_client_address3, sch_ed_code, sch_ed_pdt, sch_ratecode,
    sch_caption, sch_ad_ref, sch_ro_no, sch_ro_date, sch_box_no, sch_box_chg, sch_words, sch_cols, sch_sqcm, sch_sqcms,
    sch_card_rate, sch_new_rate, sch_ext_chg, sch_disc_amt, sch_del_chg, sch_comm_per, sch_gross_amt, sch_net_total) VALUES
-- 02-Feb: the worked examples, word-priced and area-priced
    ('KOC', 'KOC0000101', 'DV/00001', '2026-02-02', '2026-02-02', '010590', 'GV', 'MINISTRY OF INFORMATION', 'Shastri Bhawan', 'Rajendra Prasad Road', 'New Delhi 110001', 'DLY', 'Daily Kochi', 'DV002', 'PUBLIC NOTICE', 'MOI', 'RO/77', '2026-01-28', 'B12', 15, 10, 1, 0, 0, 100, 80, 25, 50, 5, 15, 800, 920),
    ('KOC', 'KOC0000102', 'DV/00002', '2026-02-02', '2026-02-02', '010590', 'GV', 'NHAI', 'Dwarka', '', 'New Delhi 110075', 'DLY', 'Daily Kochi', 'DV001', 'TENDER', 'NHAI', '', '2026-01-29', '', 0, 0, 2, 10, 5, 100, 80, 30, 50, 0, 12.5, 1000, 1150.5),
-- 03-Feb: no discount amount
    ('KOC', 'KOC0000201', 'DV/00003', '2026-02-03', '2026-02-03', '010590', 'GV', 'Zero Discount', '', '', '', 'DLY', 'Daily Kochi', 'DV001', '', '', '', NULL, '', 0, 0, 2, 10, 5, 100, 80, 30, 0, 0, 15, 1000, 1000),
    ('KOC', 'KOC0000202', 'DV/00004', '2026-02-03', '2026-02-03', '010590', 'GV', 'Zero Discount Words', '', '', '', 'DLY', 'Daily Kochi', 'DV002', '', '', '', NULL, '', 0, 10, 1, 0, 0, 100, 80, 30, 0, 0, 15, 1000, 1000),
-- 04-Feb: exact halves, in the discount and in the extra charge
    ('KOC', 'KOC0000301', 'DV/00005', '2026-02-04', '2026-02-04', '010590', 'GV', 'Half Down', '', '', '', 'DLY', 'Daily Kochi', 'DV001', '', '', '', NULL, '', 0, 0, 1, 10, 0, 50, 50, 10.5, 2.5, 0, 15, 100, 100),
    ('KOC', 'KOC0000302', 'DV/00006', '2026-02-04', '2026-02-04', '010590', 'GV', 'Half Up', '', '', '', 'DLY', 'Daily Kochi', 'DV001', '', '', '', NULL, '', 0, 0, 1, 10, 0, 50, 50, 11.5, 3.5, 0, 15, 100, 100),
    ('KOC', 'KOC0000303', 'DV/00007', '2026-02-04', '2026-02-04', '010590', 'GV', 'Rate Cut Half', '', '', '', 'DLY', 'Daily Kochi', 'DV002', '', '', '', NULL, '', 0, 10, 1, 0, 0, 10.25, 10, 0, 5, 0, 15, 100, 100),
-- 05-Feb: a rate the rate master does not know, and one whose place is missing
    ('KOC', 'KOC0000401', 'DV/00008', '2026-02-05', '2026-02-05', '010590', 'GV', 'Unknown Rate', '', '', '', 'DLY', 'Daily Kochi', 'DV999', '', '', '', NULL, '', 0, 0, 1, 10, 0, 50, 50, 0, 0, 0, 15, 100, 100),
    ('KOC', 'KOC0000402', 'DV/00009', '2026-02-05', '2026-02-05', '010590', 'GV', 'Null Place', '', '', '', 'DLY', 'Daily Kochi', 'DV002', '', '', '', NULL, '', 0, 10, 1, 0, 0, 50, 50, 0, 0, 0, 15, 100, 100),
-- 06-Feb: one bill over two schedules, with the pages of its insertions
    ('KOC', 'KOC0000501', 'DV/00010', '2026-02-06', '2026-02-06', '010590', 'GV', 'Two Schedules', '', '', '', 'DLY', 'Daily Kochi', 'DV001', '', '', '', NULL, '', 0, 0, 1, 10, 0, 50, 50, 0, 0, 0, 15, 100, 100),
    ('KOC', 'KOC0000502', 'DV/00010', '2026-02-06', '2026-02-06', '010590', 'GV', 'Two Schedules', '', '', '', 'DLY', 'Daily Kochi', 'DV001', '', '', '', NULL, '', 0, 0, 1, 10, 0, 50, 50, 0, 0, 0, 15, 100, 100),
-- 07-Feb: bill numbers that sort differently as text and as numbers; products; rows never billed to DAVP
    ('KOC', 'KOC0000601', 'DV/9', '2026-02-07', '2026-02-07', '010590', 'GV', 'Nine', '', '', '', 'DLY', 'Daily', 'DV001', '', '', '', NULL, '', 0, 0, 1, 10, 0, 50, 50, 0, 0, 0, 15, 100, 100),
    ('KOC', 'KOC0000602', 'DV/10', '2026-02-07', '2026-02-07', '010590', 'GV', 'Ten', '', '', '', 'DLY', 'Daily', 'DV001', '', '', '', NULL, '', 0, 0, 1, 10, 0, 50, 50, 0, 0, 0, 15, 100, 100),
    ('KOC', 'KOC0000603', 'DV/100', '2026-02-07', '2026-02-07', '010590', 'GV', 'Hundred', '', '', '', 'MET', 'Metro', 'DV001', '', '', '', NULL, '', 0, 0, 1, 10, 0, 50, 50, 0, 0, 0, 15, 100, 100),
    ('KOC', 'KOC0000604', 'DV/11', '2026-02-07', '2026-02-07', 'A001', 'AG', 'Not DAVP', '', '', '', 'DLY', 'Daily', 'DV001', '', '', '', NULL, '', 0, 0, 1, 10, 0, 50, 50, 0, 0, 0, 15, 100, 100),
    ('KOC', 'KOC0000605', 'DV/12', '2026-02-07', '2026-02-07', '010590', 'GV', 'Zero Net', '', '', '', 'DLY', 'Daily', 'DV001', '', '', '', NULL, '', 0, 0, 1, 10, 0, 50, 50, 0, 0, 0, 15, 100, 0),
    ('KOC', 'KOC0000606', '', NULL, '2026-02-07', '010590', 'GV', 'Unbilled', '', '', '', 'DLY', 'Daily', 'DV001', '', '', '', NULL, '', 0, 0, 1, 10, 0, 50, 50, 0, 0, 0, 15, 100, 100),
    ('TVM', 'TVM0000607', 'DV/13', '2026-02-07', '2026-02-07', '010590', 'GV', 'Other Unit', '', '', '', 'DLY', 'Daily', 'DV001', '', '', '', NULL, '', 0, 0, 1, 10, 0, 50, 50, 0, 0, 0, 15, 100, 100),
    ('KOC', 'KOC0000608', 'DV/O''X', '2026-02-07', '2026-02-07', '010590', 'GV', 'Quote', '', '', '', 'O''X', 'Quote', 'DV001', '', '', '', NULL, '', 0, 0, 1, 10, 0, 50, 50, 0, 0, 0, 15, 100, 100);

INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code,
    sch_client_name, sch_ed_code, sch_ratecode, sch_sqcm, sch_card_rate, sch_new_rate, sch_net_total) VALUES
-- 09-Feb: a rate code and a schedule number with a quote in them
    ('KOC', 'KOC''0701', 'DV/00701', '2026-02-09', '2026-02-09', '010590', 'Quoted Codes', 'DLY', 'DV''Q', 10, 50, 50, 100);

INSERT INTO advt_scheduledetails (unit_code, sdet_sch_code, sdet_ins_date, sdet_page) VALUES
    ('KOC', 'KOC''0701', '2026-02-09', '9'),
    ('KOC', 'KOC0000501', '2026-02-06', '3'),
    ('KOC', 'KOC0000501', '2026-02-06', '5'),
    ('KOC', 'KOC0000501', '2026-02-06', '3');

-- 02-Mar: twenty bills, to follow them down the view
INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code, sch_client_name,
    sch_ed_code, sch_ratecode, sch_sqcm, sch_card_rate, sch_new_rate, sch_net_total)
SELECT 'KOC', CONCAT('KOC00009', LPAD(seq, 2, '0')), CONCAT('DV/2', LPAD(seq, 3, '0')), '2026-03-02', '2026-03-02',
       '010590', CONCAT('Client ', seq), 'DLY', 'DV001', 10, 50, 50, 100
FROM seq_1_to_20;

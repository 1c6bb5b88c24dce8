-- A word-priced and an area-priced schedule with exchange debits and credits of their unit.
INSERT INTO advt_schedule (unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code, sch_agtype,
    sch_client_code, sch_client_name, sch_client_address, sch_ed_code, sch_ed_pdt, sch_words, sch_cols, sch_sqcm,
    sch_card_rate, sch_new_rate, sch_ext_chg, sch_disc_amt, sch_gross_amt, sch_net_total, sch_gross_bill) VALUES
    ('KOC', 'KOC0001001', 'KB/00020', '2026-01-10', '2026-01-10', 'A001', 'AG', 'C002', 'A client name well beyond thirty characters', 'E Road', 'DLY', 'Daily', 20, 1, 0, 10, 10, 100, 50.4, 200, 200, 200),
    ('KOC', 'KOC0001002', 'KB/00021', '2026-01-11', '2026-01-11', 'A001', 'AG', 'C002', 'Exchange Area', 'A Road', 'DLY', 'Daily', 0, 1, 10, 10, 10, 100, 40, 100, 100, 100);
INSERT INTO advt_sch_exchg (unit_code, sdet_sch_code, sdet_dr_amt, sdet_cr_amt) VALUES
    ('KOC', 'KOC0001001', 10, 5), ('KOC', 'KOC0001001', 20, 15), ('01', 'KOC0001001', 1000, 1000);

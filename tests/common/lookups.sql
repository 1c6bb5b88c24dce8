-- Masters for the look-ups of a run: every code is also looked up with the statement of one code,
-- and the two must agree.
INSERT INTO advt_subarea (sub_code, sub_name) VALUES ('S1', 'Ernakulam'), ('S2', 'Thrissur');

INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea, agency_add1, agency_add2, agency_add3,
                               agency_bill_colcms, agency_gstin, agency_pan) VALUES
    ('A001', 'Alpha Ads', 'AG', 'S1', 'MG Road', 'Kochi', 'Kerala', 5, '32AGGSTIN0001', 'AGPAN0001A'),
    ('A002', 'Beta Media', 'AG', 'S2', 'Round North', NULL, '', 0, NULL, 'BEPAN'),
    ('A003', 'Lost Area', 'AG', 'XX', 'Nowhere', '', '', 7, 'LOSTGST', 'LOSTPAN'),
    ('Q''1', 'Quote Agency', 'AG', 'S1', 'Q Road', '', '', 0, 'QGSTIN', 'QPAN'),
    ('É01', 'Accent Agency', 'AG', 'S2', 'É Street', '', '', 0, '', '');

INSERT INTO advt_clientmaster (client_code, client_name, client_gstin, client_pan) VALUES
    ('C001', 'Client One', '32CLGSTIN0001', ''),
    ('C''Q', 'Quote Client', 'QGSTIN', 'QPAN');

INSERT INTO advt_ratemaster (rate_code, rate_name, rate_davp_code, rate_place) VALUES
    ('DV001', 'Display', '130187', 'KOCHI'),
    ('DV002', 'Classified', '130192', NULL);

-- Pages: several insertions, some on the same page and one of another unit; a schedule number
-- stored in lower case; a schedule with a quote.
INSERT INTO advt_scheduledetails (unit_code, sdet_sch_code, sdet_page) VALUES
    ('KOC', 'KOC0000001', '5'), ('KOC', 'KOC0000001', '3'), ('KOC', 'KOC0000001', '5'), ('TVM', 'KOC0000001', '9'),
    ('KOC', 'koc0000003', '7'), ('KOC', 'KOC0000003', '8'),
    ('KOC', 'KOC''00004', '12'),
    ('TVM', 'TVM0000005', '2');

INSERT INTO advt_sch_exchg (unit_code, sdet_sch_code, sdet_dr_amt, sdet_cr_amt) VALUES
    ('KOC', 'KOC0000001', 10, 5), ('KOC', 'KOC0000001', 20.5, 15), ('TVM', 'KOC0000001', 1000, 1000),
    ('KOC', 'KOC0000002', 0, 0);

-- The schedules of the run the look-ups serve: codes found as stored, in another letter case or
-- with trailing blanks, through the collation (E01 for É01), not in the master at all, empty,
-- with quotes, and repeated; schedule numbers of two letter cases in two units. The schedule of
-- 2 January is not in the run: its rate DV002 is not looked up.
INSERT INTO advt_schedule (unit_code, sch_slno, sch_ins_date, sch_agency_code, sch_client_code, sch_ratecode) VALUES
    ('KOC', 'KOC0000001', '2026-01-01', 'A001', 'C001', 'DV001'),
    ('KOC', 'KOC0000002', '2026-01-01', 'A002', 'c001', 'DV001'),
    ('KOC', 'KOC0000003', '2026-01-01', 'a001', 'C404', 'DV009'),
    ('TVM', 'koc0000003', '2026-01-01', 'A001  ', 'C''Q', 'dv001'),
    ('KOC', 'KOC''00004', '2026-01-01', 'A003', 'C001', 'DV001'),
    ('TVM', 'TVM0000005', '2026-01-01', 'A404', 'C001', 'DV001'),
    ('KOC', 'KOC0000011', '2026-01-01', 'Q''1', 'C001', ''),
    ('KOC', 'KOC0000012', '2026-01-01', 'É01', 'C001', 'DV001'),
    ('KOC', 'KOC0000013', '2026-01-01', 'E01', 'C001', 'DV001'),
    ('KOC', 'KOC0000014', '2026-01-01', '''', 'C001', 'DV001'),
    ('KOC', 'KOC0000015', '2026-01-01', '', '', 'DV001'),
    ('KOC', 'KOC0000016', '2026-01-01', 'x'' or 1=1', 'C001', 'DV001'),
    ('KOC', 'KOC0000017', '2026-01-01', 'A001', 'C001', 'DV001'),
    ('KOC', 'KOC0000018', '2026-01-02', 'A002', 'C001', 'DV002');

-- Demo data for the advertisement billing desk: three units, their staff, masters and a few
-- hundred billed schedules per unit over the last seven weeks (dates relative to the day the data
-- is loaded, so the demo is always current; a week of future, still unbilled bookings follows).
--
-- Demo users (user name / password):
--   admin  / admin123   user 1, the first user: may log in, units 001 002 003
--   ravi   / ravi123    ordinary user, units 001 002
--   meera  / meera123   administrator (marked in the title after a unit switch), every unit
--   suresh / suresh123  refused for this desk (user_login_advt 0)
-- The workstation's default unit is 001 (KOCHI).
--
-- Units: 001 KOCHI, 002 THRISSUR, 003 KOZHIKODE (open to the desk); 009 HEAD OFFICE (not open to
-- the desk, never offered in the unit switch). A schedule number starts with its unit code.
-- Bill numbers: KC/..... (001), TR/..... (002), KZ/..... (003); type the tail, e.g. 1250.
-- Agency 010590 is DAVP; agency group XX (no bill copies) and complimentary schedules (net 0) are
-- never billed.

SET NAMES utf8mb4;

INSERT INTO ac_fin_year (ac_year_code, ac_db_name, ac_from_date, ac_to_date, ac_default)
SELECT CONCAT(y, '-', RIGHT(y + 1, 2)), CONCAT('selvoro_acc_', RIGHT(y, 2), RIGHT(y + 1, 2)),
       MAKEDATE(y, 1) + INTERVAL 3 MONTH, MAKEDATE(y + 1, 1) + INTERVAL 3 MONTH - INTERVAL 1 DAY,
       y = YEAR(CURDATE() - INTERVAL 3 MONTH)
FROM (SELECT YEAR(CURDATE() - INTERVAL 3 MONTH) - 1 AS y UNION ALL SELECT YEAR(CURDATE() - INTERVAL 3 MONTH)) AS years;

INSERT INTO versionmaster (pack_code, version_code, version_date) VALUES
    ('advt', 'V14.6', CURDATE() - INTERVAL 40 DAY),
    ('circ', 'V9.2', CURDATE() - INTERVAL 200 DAY),
    ('acc', 'V11.0', CURDATE() - INTERVAL 90 DAY);

INSERT INTO unitmaster (unit_code, unit_name, unit_app_advt, unit_priority, unit_address) VALUES
    ('001', 'KOCHI', 0, 1, 'Press House, M.G. Road, Kochi 682011'),
    ('002', 'THRISSUR', 2, 2, 'Round North, Thrissur 680001'),
    ('003', 'KOZHIKODE', 0, 3, 'Mavoor Road, Kozhikode 673004'),
    ('009', 'HEAD OFFICE', 1, 9, 'Press House, M.G. Road, Kochi 682011');

INSERT INTO userdetails (user_id, user_name, user_password, user_login_advt, user_type, user_full_name) VALUES
    (1, 'admin', 'admin123', 1, 1, 'System Administrator'),
    (2, 'ravi', 'ravi123', 1, 0, 'Ravi Menon'),
    (3, 'meera', 'meera123', 1, 1, 'Meera Nair'),
    (4, 'suresh', 'suresh123', 0, 0, 'Suresh Kumar');

INSERT INTO unitaccess (unit_code, user_id) VALUES
    ('001', 1), ('002', 1), ('003', 1),
    ('001', 2), ('002', 2),
    ('001', 3), ('002', 3), ('003', 3), ('009', 3),
    ('001', 4);

-- Old record locks of the booking screens; logging in releases the user's own.
INSERT INTO advt_lockmaster (user_id, unit_code, lock_form, lock_key, lock_time) VALUES
    (1, '001', 'frmBooking', '0010000290', NOW() - INTERVAL 2 DAY),
    (2, '001', 'frmBooking', '0010000291', NOW() - INTERVAL 1 DAY),
    (2, '002', 'frmReceipt', 'TR/01402', NOW() - INTERVAL 3 HOUR);

INSERT INTO acc_companymaster (comp_code, comp_name, comp_address, comp_gstin, comp_cin, comp_pan) VALUES
    ('SV', 'SELVORO (P) LTD.', 'Press House, M.G. Road, Kochi 682011', '32AABCS4821R1Z4', 'U22121KL1971PTC002345', 'AABCS4821R'),
    ('SX', 'SELVORO XPRESS (P) LTD.', 'Press House, M.G. Road, Kochi 682011', '32AAGCS7310M1ZB', 'U22219KL2006PTC019876', 'AAGCS7310M'),
    ('SP', 'SELVORO PRINTERS', 'Kalamassery, Kochi 683104', '32AAHFS2207K1ZE', '', 'AAHFS2207K');

INSERT INTO numbersetup (no_id, no_value, no_remarks) VALUES
    ('ADBL_001', 'KC/01200', 'advertisement bills, Kochi'),
    ('ADBL_002', 'TR/01200', 'advertisement bills, Thrissur'),
    ('ADBL_003', 'KZ/01200', 'advertisement bills, Kozhikode'),
    ('ADVT_SPLIT', 'SP0007', 'next split edition code'),
    ('RCPT_001', 'RC/00457', 'receipts, Kochi');

INSERT INTO productmaster (product_code, product_name, product_priority) VALUES
    ('DLY', 'SELVORO DAILY', 1),
    ('MET', 'METRO PLUS', 2),
    ('SUP', 'SUNDAY SUPPLEMENT', 3),
    ('FSH', 'FASHION WEEKLY', 4),
    ('KID', 'YOUNG WORLD', 5);

INSERT INTO editionmaster (edition_code, edition_name, unit_code) VALUES
    ('001', 'KOCHI EDITION', '001'),
    ('002', 'THRISSUR EDITION', '002'),
    ('003', 'KOZHIKODE EDITION', '003'),
    ('KTM', 'KOTTAYAM EDITION', '001'),
    ('MLP', 'MALAPPURAM EDITION', '003');

INSERT INTO advt_splitedition (unit_code, split_code, split_name, edition_code, created_by, created_date, created_time) VALUES
    ('001', 'SP0001', 'KOCHI CITY', '001', 1, CURDATE() - INTERVAL 400 DAY, '10:15:00'),
    ('001', 'SP0002', 'ALUVA - PERUMBAVOOR', '001', 1, CURDATE() - INTERVAL 380 DAY, '11:02:41'),
    ('002', 'SP0003', 'THRISSUR RURAL', '002', 1, CURDATE() - INTERVAL 300 DAY, '09:45:10'),
    ('003', 'SP0004', 'VADAKARA', '003', 1, CURDATE() - INTERVAL 120 DAY, '16:20:05'),
    ('003', 'SP0005', 'WAYANAD', '003', 1, CURDATE() - INTERVAL 60 DAY, '12:00:00'),
    ('001', 'SP0006', 'KOTTAYAM TOWN', 'KTM', 1, CURDATE() - INTERVAL 20 DAY, '15:30:30');

-- Agency groups: AC gets two copies (print type 1), DAVP bills show the client block (type 2),
-- direct clients show no agency address, XX is never billed.
INSERT INTO advt_clienttype (group_code, group_name, group_comm, group_no_of_bills, group_show_comm, group_show_address, group_bp_type) VALUES
    ('AC', 'ACCREDITED AGENCIES', 15.00, 2, 1, 1, 1),
    ('NA', 'NON-ACCREDITED AGENCIES', 10.00, 1, 1, 1, 0),
    ('DC', 'DIRECT CLIENTS', 0.00, 1, 0, 0, 0),
    ('GV', 'GOVERNMENT - DAVP', 15.00, 2, 1, 1, 2),
    ('XX', 'IN-HOUSE PROMOTIONS', 0.00, 0, 0, 0, 0);

INSERT INTO advt_subarea (sub_code, sub_name, unit_code) VALUES
    ('KOC', 'ERNAKULAM', '001'),
    ('TSR', 'THRISSUR', '002'),
    ('CLT', 'KOZHIKODE', '003'),
    ('TVM', 'THIRUVANANTHAPURAM', '001'),
    ('BLR', 'BENGALURU', ''),
    ('CHN', 'CHENNAI', ''),
    ('DEL', 'NEW DELHI', '');

-- Agencies. Empty GSTIN or "NA": unregistered. Agencies outside Kerala (BLR, CHN, DEL) are billed
-- IGST. agency_bill_colcms 1: display space billed in column-centimetres. NORTH STAR ADS's GSTIN
-- was mistyped when it was entered: its check character is wrong, so its bills cannot be e-invoiced.
INSERT INTO advt_agencymaster (agency_code, agency_name, agency_type, agency_subarea, agency_add1, agency_add2, agency_add3, agency_bill_colcms, agency_gstin, agency_pan) VALUES
    ('010101', 'MUDRA COMMUNICATIONS', 'AC', 'KOC', '2nd Floor, Jos Annexe', 'Jos Junction, M.G. Road', 'Kochi 682016', 0, '32AABCM4521K1ZR', 'AABCM4521K'),
    ('010102', 'STARLINE ADVERTISING', 'AC', 'KOC', 'Starline House', 'Kaloor', 'Kochi 682017', 1, '32AAFFS7788L1ZI', 'AAFFS7788L'),
    ('010103', 'PRATHIBHA ADS', 'NA', 'TSR', 'Near KSRTC Stand', 'Shoranur Road', 'Thrissur 680001', 0, '', 'ABCPP1234Q'),
    ('010104', 'MALABAR MEDIA SERVICES', 'NA', 'CLT', '14/220 Bank Road', '', 'Kozhikode 673001', 0, 'NA', 'AAKFM9087H'),
    ('010105', 'RESULT ADVERTISING', 'AC', 'TVM', 'TC 25/1120, Statue', 'M.G. Road', 'Thiruvananthapuram 695001', 0, '32AAACR3344D1ZZ', 'AAACR3344D'),
    ('010106', 'BRIGHTWAVE COMMUNICATIONS', 'AC', 'BLR', '41, Residency Road', 'Shanthala Nagar', 'Bengaluru 560025', 0, '29AAECB1122P1ZL', 'AAECB1122P'),
    ('010107', 'CAPITAL MEDIA HOUSE', 'AC', 'DEL', 'B-12, Connaught Place', '', 'New Delhi 110001', 1, '07AABCC5566E1ZS', 'AABCC5566E'),
    ('010108', 'SREE DURGA ADS', 'NA', 'KOC', 'Market Road', 'Aluva', 'Ernakulam 683101', 0, '', ''),
    ('010109', 'CLASSIC CLASSIFIEDS', 'NA', 'TSR', 'Patturaikkal', '', 'Thrissur 680022', 0, '32ABGFC2233M1ZN', 'ABGFC2233M'),
    ('010110', 'CHENNAI AD LINKS', 'AC', 'CHN', '118, Anna Salai', 'Teynampet', 'Chennai 600018', 0, '33AADCC7788F1ZH', 'AADCC7788F'),
    ('010111', 'NORTH STAR ADS', 'NA', 'CLT', 'Mananchira', '', 'Kozhikode 673001', 1, '32AAMFN5566B1ZE', 'AAMFN5566B'),
    ('010001', 'DIRECT - KOCHI', 'DC', 'KOC', 'Press House', 'M.G. Road', 'Kochi 682011', 0, '', ''),
    ('010002', 'DIRECT - THRISSUR', 'DC', 'TSR', 'Round North', '', 'Thrissur 680001', 0, '', ''),
    ('010003', 'DIRECT - KOZHIKODE', 'DC', 'CLT', 'Mavoor Road', '', 'Kozhikode 673004', 0, '', ''),
    ('010120', 'IN-HOUSE PROMOTIONS', 'XX', 'KOC', 'Press House', 'M.G. Road', 'Kochi 682011', 0, '', ''),
    ('010590', 'DIRECTORATE OF ADVERTISING AND VISUAL PUBLICITY', 'GV', 'DEL', 'Soochna Bhawan, CGO Complex', 'Lodhi Road', 'New Delhi 110003', 0, '07AAAGD0581G1ZR', 'AAAGD0581G');

INSERT INTO advt_clientmaster (client_code, client_name, client_address, client_address2, client_address3, client_gstin, client_pan) VALUES
    ('C00001', 'LULU HYPERMARKET', 'NH 66, Edappally', 'Kochi', 'Kerala 682024', '32AAACL7612H1ZU', 'AAACL7612H'),
    ('C00002', 'ASTER MEDCITY', 'Kuttisahib Road', 'Cheranalloor', 'Kochi 682027', '32AAHCA5512Q1ZK', 'AAHCA5512Q'),
    ('C00003', 'KERALA STATE BEVERAGES CORPN', 'Vellayambalam', '', 'Thiruvananthapuram 695010', '32AAACK1234B1ZH', 'AAACK1234B'),
    ('C00004', 'JOSCO JEWELLERS', 'M.G. Road', '', 'Kochi 682035', '32AABFJ3344C1Z2', 'AABFJ3344C'),
    ('C00005', 'SAINT THOMAS COLLEGE', 'Round North', '', 'Thrissur 680001', '', 'AAATS7788G'),
    ('C00006', 'MALABAR GOLD', 'Mini Bypass Road', 'Arayidathupalam', 'Kozhikode 673004', '32AAECM0099N1Z9', 'AAECM0099N'),
    ('C00007', 'GREEN VALLEY REALTORS', 'Kakkanad', '', 'Kochi 682030', '', ''),
    ('C00008', 'TATA MOTORS - POPULAR', 'Kalamassery', '', 'Kochi 683104', '32AAACP2211L1ZW', 'AAACP2211L'),
    ('C00009', 'AMRITA INSTITUTE', 'Ponekkara', '', 'Kochi 682041', '32AAATA8855E1ZX', 'AAATA8855E'),
    ('C00010', 'SEEMATTI TEXTILES', 'Round South', '', 'Thrissur 680001', '32AAFFS4433J1ZA', 'AAFFS4433J'),
    ('C00011', 'K. P. VARGHESE', 'Kaloor', '', 'Kochi 682017', '', ''),
    ('C00012', 'FATHIMA HOSPITAL', 'Bank Road', '', 'Kozhikode 673001', '', 'AAATF6677K'),
    ('C00013', 'MINISTRY OF INFORMATION', 'Shastri Bhawan', 'Rajendra Prasad Road', 'New Delhi 110001', '', ''),
    ('C00014', 'COCHIN SHIPYARD LTD', 'Perumanoor', '', 'Kochi 682015', '32AAACC6155M1ZO', 'AAACC6155M'),
    ('C00015', 'NATIONAL HIGHWAYS AUTHORITY', 'Sector 10, Dwarka', '', 'New Delhi 110075', '', '');

-- Rates. DV: DAVP rates of each edition with the newspaper's DAVP code and place of publication.
INSERT INTO advt_ratemaster (rate_code, rate_name, rate_ed_code, rate_card_rate, rate_davp_code, rate_place) VALUES
    ('DLYD', 'DAILY DISPLAY PER SQ CM', 'DLY', 42.00, '', ''),
    ('DLYC', 'DAILY CLASSIFIED PER WORD', 'DLY', 12.00, '', ''),
    ('METD', 'METRO PLUS DISPLAY', 'MET', 18.00, '', ''),
    ('SUPD', 'SUNDAY SUPPLEMENT DISPLAY', 'SUP', 30.00, '', ''),
    ('FSHD', 'FASHION WEEKLY DISPLAY', 'FSH', 25.00, '', ''),
    ('DV001', 'DAVP DISPLAY KOCHI', 'DLY', 31.50, '130187', 'KOCHI'),
    ('DV002', 'DAVP DISPLAY THRISSUR', 'DLY', 28.40, '130192', 'THRISSUR'),
    ('DV003', 'DAVP DISPLAY KOZHIKODE', 'DLY', 29.75, '130205', 'KOZHIKODE'),
    ('DV004', 'DAVP CLASSIFIED', 'DLY', 9.00, '130187', 'KOCHI');

-- Column widths of the page (newspaper columns to centimetres), for the areas of display space.
CREATE TEMPORARY TABLE demo_width (fsh INT, cols INT, cm DECIMAL(4,1), PRIMARY KEY (fsh, cols));
INSERT INTO demo_width VALUES
    (0, 1, 3.8), (0, 2, 8.0), (0, 3, 12.2), (0, 4, 16.3), (0, 5, 20.5), (0, 6, 24.6), (0, 8, 33.0),
    (1, 1, 3.7), (1, 2, 7.8), (1, 3, 11.8), (1, 4, 15.9), (1, 5, 19.9), (1, 6, 24.0), (1, 8, 33.6);

-- Agencies that book ordinary schedules, numbered for picking.
CREATE TEMPORARY TABLE demo_agency (idx INT PRIMARY KEY, agency_code VARCHAR(10));
INSERT INTO demo_agency VALUES
    (0, '010101'), (1, '010102'), (2, '010103'), (3, '010104'), (4, '010105'), (5, '010106'),
    (6, '010107'), (7, '010108'), (8, '010109'), (9, '010110'), (10, '010111'), (11, '010101');

CREATE TEMPORARY TABLE demo_client (idx INT PRIMARY KEY, client_code VARCHAR(10));
INSERT INTO demo_client SELECT seq - 1, CONCAT('C', LPAD(seq, 5, '0')) FROM seq_1_to_12;

CREATE TEMPORARY TABLE demo_caption (kind CHAR(1), idx INT, caption VARCHAR(40), PRIMARY KEY (kind, idx));
INSERT INTO demo_caption VALUES
    ('D', 0, 'GRAND SALE'), ('D', 1, 'ADMISSION NOTICE'), ('D', 2, 'TENDER NOTICE'),
    ('D', 3, 'NEW SHOWROOM OPENING'), ('D', 4, 'FESTIVAL OFFER'), ('D', 5, 'RECRUITMENT'),
    ('D', 6, 'OBITUARY'), ('D', 7, 'PUBLIC NOTICE'),
    ('C', 0, 'MATRIMONIAL'), ('C', 1, 'REAL ESTATE'), ('C', 2, 'SITUATIONS VACANT'),
    ('C', 3, 'VEHICLES'), ('C', 4, 'TO LET'), ('C', 5, 'EDUCATIONAL'), ('C', 6, 'PERSONAL'),
    ('C', 7, 'BUSINESS OFFERS');

-- The bookings, 300 per unit, one every few hours from seven weeks ago to a week ahead. Every
-- third one is a classified (priced by the word); the rest are display advertisements priced by
-- area. One in five is booked by a direct client (GST type 1: the client's GSTIN on the bill).
-- Prices: card rate times space, less the rate discount and any further discount, plus a
-- position premium or box charge; GST 5 % on the gross, as CGST + SGST within Kerala and as IGST
-- for agencies outside it; the agency commission is shown on the bill (gross bill 0) and the
-- net total is gross plus tax.
CREATE TEMPORARY TABLE demo_booking (PRIMARY KEY (unit_code, n)) AS
SELECT b.*,
       CASE WHEN b.kind = 'C' THEN 0 ELSE ROUND(w.cm * b.height, 2) END AS sqcm,
       CASE WHEN b.kind = 'C' THEN 0 ELSE b.cols * b.height END AS sqcms
FROM (
    SELECT u.unit_code, s.seq AS n,
           CURDATE() + INTERVAL 6 DAY - INTERVAL FLOOR((300 - s.seq) * 56 / 300) DAY AS ins_date,
           IF(s.seq % 3 = 0, 'C', 'D') AS kind,
           CRC32(CONCAT(u.unit_code, '/', s.seq, '/agency')) % 12 AS agency_idx,
           CRC32(CONCAT(u.unit_code, '/', s.seq, '/client')) % 12 AS client_idx,
           CRC32(CONCAT(u.unit_code, '/', s.seq, '/direct')) % 5 = 0 AS direct,
           CRC32(CONCAT(u.unit_code, '/', s.seq, '/product')) % 20 AS product_pick,
           ELT(1 + CRC32(CONCAT(u.unit_code, '/', s.seq, '/cols')) % 7, 1, 2, 3, 4, 5, 6, 8) AS cols,
           4 + CRC32(CONCAT(u.unit_code, '/', s.seq, '/height')) % 30 AS height,
           15 + CRC32(CONCAT(u.unit_code, '/', s.seq, '/words')) % 46 AS words,
           CRC32(CONCAT(u.unit_code, '/', s.seq, '/rate')) % 10 AS rate_pick,
           CRC32(CONCAT(u.unit_code, '/', s.seq, '/extra')) % 20 AS extra_pick,
           CRC32(CONCAT(u.unit_code, '/', s.seq, '/caption')) % 8 AS caption_idx,
           CRC32(CONCAT(u.unit_code, '/', s.seq, '/page')) % 16 AS page_pick
    FROM unitmaster AS u
    JOIN seq_1_to_300 AS s
    WHERE u.unit_app_advt IN (0, 2)
) AS b
JOIN demo_width AS w
  ON w.fsh = (b.kind = 'D' AND b.product_pick IN (0, 1)) AND w.cols = b.cols;

CREATE TEMPORARY TABLE demo_priced (PRIMARY KEY (unit_code, n)) AS
SELECT p.*,
       ROUND(p.q * p.new_rate + p.ext_chg + p.box_chg - p.add_disc, 2) AS gross
FROM (
    SELECT k.*,
           IF(k.kind = 'C', k.words, k.sqcm) AS q,
           -- display: 60 % at card rate, 25 % at 10 % off, 15 % at 20 % off; classified: a third
           -- at 2 rupees a word off
           CASE WHEN k.kind = 'C' THEN IF(k.rate_pick < 3, k.card_rate - 2, k.card_rate)
                WHEN k.rate_pick < 6 THEN k.card_rate
                WHEN k.rate_pick < 9 THEN ROUND(k.card_rate * 0.9, 2)
                ELSE ROUND(k.card_rate * 0.8, 2) END AS new_rate,
           -- position premium on some discounted display space
           CASE WHEN k.kind = 'D' AND k.rate_pick >= 6 AND k.extra_pick < 5
                THEN ROUND(k.card_rate * k.sqcm * 0.1, 0) ELSE 0 END AS ext_chg,
           -- further discount: 500 or 1000 rupees on some display space, 20 on some classifieds
           CASE WHEN k.kind = 'D' AND k.extra_pick IN (3, 4, 5) THEN 500
                WHEN k.kind = 'D' AND k.extra_pick = 6 THEN 1000
                WHEN k.kind = 'C' AND k.extra_pick < 2 THEN 20 ELSE 0 END AS add_disc,
           CASE WHEN k.kind = 'C' AND k.extra_pick BETWEEN 10 AND 13 THEN 50 ELSE 0 END AS box_chg
    FROM (
        SELECT d.*,
               CASE WHEN d.kind = 'C' THEN 'DLY'
                    WHEN d.product_pick IN (0, 1) THEN 'FSH'
                    WHEN d.product_pick IN (2, 3, 4) THEN 'MET'
                    WHEN d.product_pick IN (5, 6) THEN 'SUP'
                    WHEN d.product_pick = 7 THEN 'DLY/MET'
                    ELSE 'DLY' END AS product,
               CASE WHEN d.kind = 'C' THEN 12.00
                    WHEN d.product_pick IN (0, 1) THEN 25.00
                    WHEN d.product_pick IN (2, 3, 4) THEN 18.00
                    WHEN d.product_pick IN (5, 6) THEN 30.00
                    WHEN d.product_pick = 7 THEN 55.00
                    ELSE 42.00 END AS card_rate,
               CASE WHEN d.kind = 'C' THEN 'DLYC'
                    WHEN d.product_pick IN (0, 1) THEN 'FSHD'
                    WHEN d.product_pick IN (2, 3, 4, 7) THEN 'METD'
                    WHEN d.product_pick IN (5, 6) THEN 'SUPD'
                    ELSE 'DLYD' END AS ratecode,
               IF(d.direct, CONCAT('01000', RIGHT(d.unit_code, 1)), a.agency_code) AS agency_code
        FROM demo_booking AS d
        JOIN demo_agency AS a ON a.idx = d.agency_idx
    ) AS k
) AS p;

INSERT INTO advt_schedule (
    unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code, sch_agtype,
    sch_client_code, sch_client_name, sch_client_address, sch_client_address2, sch_client_address3,
    sch_ed_code, sch_ed_pdt, sch_ratecode, sch_caption, sch_ad_ref, sch_ro_no, sch_ro_date,
    sch_box_no, sch_box_chg, sch_words, sch_cols, sch_sqcm, sch_sqcms, sch_card_rate, sch_new_rate,
    sch_ext_chg, sch_disc_amt, sch_del_chg, sch_budget, sch_comm_per, sch_gross_amt, sch_gst_type,
    sch_gst_per, sch_sgst_per, sch_igst_per, sch_gst_amt, sch_sgst_amt, sch_igst_amt,
    sch_gross_bill, sch_net_total)
SELECT t.unit_code, CONCAT(t.unit_code, LPAD(t.n, 7, '0')), '', NULL, t.ins_date, t.agency_code,
       ag.agency_type, c.client_code, c.client_name, c.client_address, c.client_address2,
       c.client_address3, t.product,
       LEFT(CONCAT(IF(t.product = 'DLY/MET', 'DAILY + METRO PLUS', pm.product_name), ' - ', un.unit_name), 100),
       t.ratecode, cap.caption, LEFT(c.client_name, 30),
       IF(t.direct OR t.n % 17 = 0, '', CONCAT('RO/', t.agency_code, '/', t.n)),
       IF(t.direct, NULL, t.ins_date - INTERVAL 3 DAY),
       IF(t.box_chg > 0, CONCAT('B', 100 + t.n), ''), t.box_chg,
       IF(t.kind = 'C', t.words, 0), IF(t.kind = 'C', 1, t.cols), t.sqcm, t.sqcms,
       t.card_rate, t.new_rate, t.ext_chg,
       ROUND((t.card_rate - t.new_rate) * t.q + t.add_disc, 2), 0,
       IF(t.kind = 'D' AND t.extra_pick = 19, t.gross, 0),
       grp.group_comm, t.gross, IF(t.direct, 1, 0),
       IF(t.interstate, 0, 2.50), IF(t.interstate, 0, 2.50), IF(t.interstate, 5.00, 0),
       IF(t.interstate, 0, ROUND(t.gross * 0.025, 2)), IF(t.interstate, 0, ROUND(t.gross * 0.025, 2)),
       IF(t.interstate, ROUND(t.gross * 0.05, 2), 0),
       IF(grp.group_comm > 0, 0, t.gross),
       t.gross + IF(t.interstate, ROUND(t.gross * 0.05, 2), 2 * ROUND(t.gross * 0.025, 2))
FROM (SELECT dp.*, a.agency_subarea IN ('BLR', 'CHN', 'DEL') AS interstate
      FROM demo_priced AS dp JOIN advt_agencymaster AS a ON a.agency_code = dp.agency_code) AS t
JOIN advt_agencymaster AS ag ON ag.agency_code = t.agency_code
JOIN advt_clienttype AS grp ON grp.group_code = ag.agency_type
JOIN demo_client AS dc ON dc.idx = t.client_idx
JOIN advt_clientmaster AS c ON c.client_code = dc.client_code
JOIN demo_caption AS cap ON cap.kind = t.kind AND cap.idx = t.caption_idx
JOIN unitmaster AS un ON un.unit_code = t.unit_code
JOIN productmaster AS pm ON pm.product_code = LEFT(t.product, 3);

-- DAVP releases: display notices of the ministries, at the DAVP rate of the edition, two a week
-- per unit; one classified per unit; one booked at a rate the rate master does not know.
INSERT INTO advt_schedule (
    unit_code, sch_slno, sch_bill_no, sch_bill_date, sch_ins_date, sch_agency_code, sch_agtype,
    sch_client_code, sch_client_name, sch_client_address, sch_client_address2, sch_client_address3,
    sch_ed_code, sch_ed_pdt, sch_ratecode, sch_caption, sch_ad_ref, sch_ro_no, sch_ro_date,
    sch_words, sch_cols, sch_sqcm, sch_sqcms, sch_card_rate, sch_new_rate, sch_disc_amt,
    sch_comm_per, sch_gross_amt, sch_gst_type, sch_igst_per, sch_igst_amt, sch_gross_bill, sch_net_total)
SELECT v.unit_code, CONCAT(v.unit_code, LPAD(800 + v.seq, 7, '0')), '', NULL, v.ins_date, '010590', 'GV',
       IF(v.seq % 2 = 0, 'C00013', 'C00015'),
       IF(v.seq % 2 = 0, 'MINISTRY OF INFORMATION', 'NATIONAL HIGHWAYS AUTHORITY'),
       IF(v.seq % 2 = 0, 'Shastri Bhawan', 'Sector 10, Dwarka'),
       IF(v.seq % 2 = 0, 'Rajendra Prasad Road', ''),
       IF(v.seq % 2 = 0, 'New Delhi 110001', 'New Delhi 110075'),
       'DLY', CONCAT('SELVORO DAILY - ', v.unit_name),
       CASE WHEN v.seq = 13 THEN 'DV999' WHEN v.words > 0 THEN 'DV004'
            ELSE CONCAT('DV00', RIGHT(v.unit_code, 1)) END,
       IF(v.words > 0, 'PUBLIC NOTICE', IF(v.seq % 2 = 0, 'AWARENESS CAMPAIGN', 'TENDER NOTICE')),
       IF(v.seq % 2 = 0, 'MINISTRY OF INFORMATION', 'NHAI'),
       CONCAT('DAVP/', 23000 + v.seq * 7 + RIGHT(v.unit_code, 1) * 100, '/2627'), v.ins_date - INTERVAL 5 DAY,
       v.words, IF(v.words > 0, 1, v.cols), v.sqcm, IF(v.words > 0, 0, v.cols * v.height),
       v.card_rate, v.new_rate, v.disc, 15.00, v.gross, 0, 5.00, ROUND(v.gross * 0.05, 2), 0,
       v.gross + ROUND(v.gross * 0.05, 2)
FROM (
    SELECT r.*, ROUND(IF(r.words > 0, r.words, r.sqcm) * r.new_rate - r.disc, 2) AS gross
    FROM (
        SELECT u.unit_code, u.unit_name, s.seq,
               CURDATE() - INTERVAL (45 - s.seq * 3) DAY AS ins_date,
               IF(s.seq = 5, 40, 0) AS words,
               ELT(1 + s.seq % 4, 2, 3, 4, 6) AS cols,
               10 + s.seq % 7 * 3 AS height,
               IF(s.seq = 5, 0, ROUND(ELT(1 + s.seq % 4, 8.0, 12.2, 16.3, 24.6) * (10 + s.seq % 7 * 3), 2)) AS sqcm,
               IF(s.seq = 5, 9.00, ELT(RIGHT(u.unit_code, 1), 31.50, 28.40, 29.75)) AS card_rate,
               IF(s.seq = 5, 9.00, IF(s.seq % 3 = 0, ELT(RIGHT(u.unit_code, 1), 28.00, 25.00, 27.00),
                                      ELT(RIGHT(u.unit_code, 1), 31.50, 28.40, 29.75))) AS new_rate,
               IF(s.seq % 4 = 1, 250, 0) AS disc
        FROM unitmaster AS u JOIN seq_1_to_15 AS s
        WHERE u.unit_app_advt IN (0, 2)
    ) AS r
) AS v;

-- In-house promotions (group XX, no bill copies) and complimentary notices (net 0): never billed.
INSERT INTO advt_schedule (unit_code, sch_slno, sch_ins_date, sch_agency_code, sch_agtype, sch_client_name,
    sch_ed_code, sch_ed_pdt, sch_ratecode, sch_caption, sch_cols, sch_sqcm, sch_sqcms, sch_card_rate,
    sch_new_rate, sch_disc_amt, sch_gross_amt, sch_gst_per, sch_sgst_per, sch_gst_amt, sch_sgst_amt,
    sch_gross_bill, sch_net_total)
SELECT u.unit_code, CONCAT(u.unit_code, LPAD(900 + s.seq, 7, '0')), CURDATE() - INTERVAL s.seq * 4 DAY,
       IF(s.seq % 2 = 0, '010120', CONCAT('01000', RIGHT(u.unit_code, 1))), IF(s.seq % 2 = 0, 'XX', 'DC'),
       IF(s.seq % 2 = 0, 'SELVORO BOOK FAIR', 'OBITUARY - COMPLIMENTARY'), 'DLY',
       CONCAT('SELVORO DAILY - ', u.unit_name), 'DLYD', IF(s.seq % 2 = 0, 'HOUSE AD', 'OBITUARY'),
       2, 80.00, 20.00, 42.00, IF(s.seq % 2 = 0, 42.00, 0), IF(s.seq % 2 = 0, 0, 3360.00),
       IF(s.seq % 2 = 0, 3360.00, 0), 2.50, 2.50, IF(s.seq % 2 = 0, 84.00, 0), IF(s.seq % 2 = 0, 84.00, 0),
       IF(s.seq % 2 = 0, 3360.00, 0), IF(s.seq % 2 = 0, 3528.00, 0)
FROM unitmaster AS u JOIN seq_1_to_8 AS s
WHERE u.unit_app_advt IN (0, 2);

-- Bills: every schedule up to today is billed on its insertion date, numbered in date order per
-- unit from the unit's prefix and 1201 on.
UPDATE advt_schedule AS s
JOIN (
    SELECT unit_code, sch_slno,
           ROW_NUMBER() OVER (PARTITION BY unit_code ORDER BY sch_ins_date, sch_slno) AS bill_seq
    FROM advt_schedule
    WHERE sch_ins_date <= CURDATE()
) AS b ON b.unit_code = s.unit_code AND b.sch_slno = s.sch_slno
SET s.sch_bill_no = CONCAT(ELT(RIGHT(s.unit_code, 1), 'KC/', 'TR/', 'KZ/'), LPAD(1200 + b.bill_seq, 5, '0')),
    s.sch_bill_date = s.sch_ins_date;

-- Repeat insertions: some advertisements run a second day on the same bill.
INSERT INTO advt_schedule
SELECT s.unit_code, CONCAT(s.unit_code, LPAD(5000 + CAST(RIGHT(s.sch_slno, 7) AS UNSIGNED), 7, '0')),
       s.sch_bill_no, s.sch_bill_date, s.sch_ins_date + INTERVAL 1 DAY, s.sch_agency_code, s.sch_agtype,
       s.sch_client_code, s.sch_client_name, s.sch_client_address, s.sch_client_address2,
       s.sch_client_address3, s.sch_ed_code, s.sch_ed_pdt, s.sch_ratecode, s.sch_caption, s.sch_ad_ref,
       s.sch_ro_no, s.sch_ro_date, s.sch_box_no, s.sch_box_chg, s.sch_words, s.sch_cols, s.sch_sqcm,
       s.sch_sqcms, s.sch_card_rate, s.sch_new_rate, s.sch_ext_chg, s.sch_disc_amt, s.sch_del_chg,
       s.sch_budget, s.sch_comm_per, s.sch_gross_amt, s.sch_gst_type, s.sch_gst_per, s.sch_sgst_per,
       s.sch_igst_per, s.sch_gst_amt, s.sch_sgst_amt, s.sch_igst_amt, s.sch_gross_bill, s.sch_net_total
FROM advt_schedule AS s
WHERE s.sch_bill_no <> '' AND s.sch_ins_date < CURDATE() AND s.sch_agency_code <> '010590'
  AND CAST(RIGHT(s.sch_slno, 7) AS UNSIGNED) % 23 = 4;

-- The bill-number series hold the last bill issued.
UPDATE numbersetup AS n
JOIN (SELECT unit_code, MAX(sch_bill_no) AS last_bill FROM advt_schedule GROUP BY unit_code) AS b
  ON n.no_id = CONCAT('ADBL_', b.unit_code)
SET n.no_value = b.last_bill;

-- Pages: one insertion row per schedule; larger display space also runs on a second page.
INSERT INTO advt_scheduledetails (unit_code, sdet_sch_code, sdet_ins_date, sdet_ed_code, sdet_page)
SELECT unit_code, sch_slno, sch_ins_date, LEFT(sch_ed_code, 3),
       IF(sch_words > 0, 12 + CRC32(sch_slno) % 3, 1 + CRC32(sch_slno) % 16)
FROM advt_schedule;
INSERT INTO advt_scheduledetails (unit_code, sdet_sch_code, sdet_ins_date, sdet_ed_code, sdet_page)
SELECT unit_code, sch_slno, sch_ins_date, LEFT(sch_ed_code, 3), 17 + CRC32(sch_slno) % 4
FROM advt_schedule
WHERE sch_words = 0 AND sch_sqcm >= 300;

-- Exchange entries: space traded for goods and services on some bills.
INSERT INTO advt_sch_exchg (unit_code, sdet_sch_code, sdet_date, sdet_remarks, sdet_dr_amt, sdet_cr_amt)
SELECT unit_code, sch_slno, sch_ins_date, 'BARTER - HOTEL STAY', ROUND(sch_ext_chg / 2, 0), 0
FROM advt_schedule
WHERE sch_ext_chg > 0 AND CAST(RIGHT(sch_slno, 7) AS UNSIGNED) % 3 = 0
UNION ALL
SELECT unit_code, sch_slno, sch_ins_date, 'BARTER - EVENT TICKETS', 0, 200
FROM advt_schedule
WHERE sch_disc_amt > 0 AND sch_words = 0 AND CAST(RIGHT(sch_slno, 7) AS UNSIGNED) % 11 = 2;

DROP TEMPORARY TABLE demo_priced, demo_booking, demo_caption, demo_client, demo_agency, demo_width;

-- The first four bills of MUDRA COMMUNICATIONS in Kochi, registered with the e-invoice portal as
-- if their answers had been imported: the IRN is the SHA-256 of the seller's GSTIN, the bill
-- number, INV and the financial year, and the tokens have the portal's three-part shape; their
-- signature ("demo") is not the portal's. The third registration was cancelled three hours after
-- its acknowledgement; the fourth names a total one rupee above the bill's, so the bill has
-- changed since it was registered.
INSERT INTO advt_einvoice (ein_bill_no, ein_irn, ein_ack_no, ein_ack_date, ein_signed_invoice, ein_signed_qr,
                           ein_cancel_date)
SELECT r.bill_no, r.irn, CONCAT('11261000000000', r.seq), r.ack_date,
       CONCAT('eyJhbGciOiJSUzI1NiIsInR5cCI6IkpXVCJ9.',
              REPLACE(REPLACE(REPLACE(REPLACE(TO_BASE64(CONCAT('{"data":', JSON_QUOTE(CONCAT('{"Irn":"', r.irn, '"}')),
                                                               ',"iss":"NIC"}')), '\n', ''), '+', '-'), '/', '_'), '=', ''),
              '.ZGVtbw'),
       CONCAT('eyJhbGciOiJSUzI1NiIsInR5cCI6IkpXVCJ9.',
              REPLACE(REPLACE(REPLACE(REPLACE(TO_BASE64(CONCAT('{"data":', JSON_QUOTE(CONCAT(
                  '{"SellerGstin":"', r.seller_gstin, '","BuyerGstin":"', r.buyer_gstin, '","DocNo":"', r.bill_no,
                  '","DocTyp":"INV","DocDt":"', DATE_FORMAT(r.bill_date, '%d/%m/%Y'), '","TotInvVal":',
                  r.net_total + IF(r.seq = 4, 1, 0),
                  ',"ItemCnt":1,"MainHsnCode":"998363","Irn":"', r.irn, '","IrnDt":"',
                  DATE_FORMAT(r.ack_date, '%Y-%m-%d %H:%i:%s'), '"}')), ',"iss":"NIC"}')),
                                              '\n', ''), '+', '-'), '/', '_'), '=', ''),
              '.ZGVtbw'),
       IF(r.seq = 3, r.ack_date + INTERVAL 3 HOUR, NULL)
FROM (SELECT s.sch_bill_no AS bill_no, s.sch_bill_date AS bill_date, s.sch_net_total AS net_total,
             c.comp_gstin AS seller_gstin, a.agency_gstin AS buyer_gstin,
             s.sch_bill_date + INTERVAL 11 HOUR AS ack_date,
             ROW_NUMBER() OVER (ORDER BY s.sch_bill_no) AS seq,
             SHA2(CONCAT(c.comp_gstin, s.sch_bill_no, 'INV',
                         YEAR(s.sch_bill_date - INTERVAL 3 MONTH), '-', YEAR(s.sch_bill_date - INTERVAL 3 MONTH) + 1), 256) AS irn
      FROM advt_schedule AS s
      JOIN advt_agencymaster AS a ON a.agency_code = s.sch_agency_code
      JOIN acc_companymaster AS c ON c.comp_code = IF(s.sch_ed_code = 'FSH', 'SX', 'SV')
      WHERE s.unit_code = '001' AND s.sch_agency_code = '010101' AND s.sch_bill_no <> ''
      ORDER BY s.sch_bill_no
      LIMIT 4) AS r;

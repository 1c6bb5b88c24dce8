-- Years of older bookings for the history benchmark, loaded over bench/bills-data.sql or
-- bench/davp-data.sql: the 10,000 schedules of 2026 copied 100 times into the same unit, copy C
-- dated 1 + (C - 1) mod 9 years back (about 110,000 schedules a year), each with its insertions.
-- A copy's schedule numbers follow on from those of the year (KOC0010001 on), its bill numbers
-- are its own (KH001/000001 on). 1,000,000 schedules and 2 or 3 million insertions in all.
DELIMITER //
BEGIN NOT ATOMIC
    DECLARE originals INT DEFAULT (SELECT MAX(sdet_id) FROM advt_scheduledetails);
    CREATE TEMPORARY TABLE copied LIKE advt_schedule;
    FOR c IN 1..100 DO
        INSERT INTO copied SELECT * FROM advt_schedule WHERE sch_ins_date >= '2026-01-01';
        UPDATE copied SET sch_slno = CONCAT('KOC', LPAD(c * 10000 + CAST(SUBSTRING(sch_slno, 4) AS UNSIGNED), 7, '0')),
                          sch_bill_no = CONCAT('KH', LPAD(c, 3, '0'), SUBSTRING(sch_bill_no, 3)),
                          sch_ins_date = DATE_SUB(sch_ins_date, INTERVAL 1 + (c - 1) MOD 9 YEAR),
                          sch_bill_date = DATE_SUB(sch_bill_date, INTERVAL 1 + (c - 1) MOD 9 YEAR),
                          sch_ro_date = DATE_SUB(sch_ro_date, INTERVAL 1 + (c - 1) MOD 9 YEAR);
        INSERT INTO advt_schedule SELECT * FROM copied;
        DELETE FROM copied;
        INSERT INTO advt_scheduledetails (unit_code, sdet_sch_code, sdet_ins_date, sdet_ed_code, sdet_page)
        SELECT unit_code, CONCAT('KOC', LPAD(c * 10000 + CAST(SUBSTRING(sdet_sch_code, 4) AS UNSIGNED), 7, '0')),
               DATE_SUB(sdet_ins_date, INTERVAL 1 + (c - 1) MOD 9 YEAR), sdet_ed_code, sdet_page
        FROM advt_scheduledetails WHERE sdet_id <= originals;
    END FOR;
    DROP TEMPORARY TABLE copied;
END //
DELIMITER ;
ANALYZE TABLE advt_schedule, advt_scheduledetails;

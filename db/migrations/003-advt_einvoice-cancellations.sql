-- Keeps every registration of a bill, cancelled ones included: advt_einvoice is keyed by the IRN
-- and gets the date each was cancelled on, so that a bill whose IRN was cancelled can be
-- registered again under a new IRN while the old answer stays on record.
--   mariadb selvoro < db/migrations/003-advt_einvoice-cancellations.sql
-- Safe to run again (after 001). New databases get the table in this shape from db/schema.sql.
ALTER TABLE advt_einvoice ADD COLUMN IF NOT EXISTS ein_cancel_date DATETIME NULL DEFAULT NULL;

-- The primary key moves from the bill number to the IRN in one statement, so that a cluster that
-- requires a primary key never sees the table without one; a table already keyed by the IRN is
-- left as it is.
SET @advt_einvoice_key = (
    SELECT IF(COUNT(*) > 0,
              'ALTER TABLE advt_einvoice DROP PRIMARY KEY, ADD PRIMARY KEY (ein_irn)',
              'DO 0')
    FROM information_schema.statistics
    WHERE table_schema = DATABASE() AND table_name = 'advt_einvoice' AND index_name = 'PRIMARY'
      AND column_name = 'ein_bill_no');
PREPARE advt_einvoice_key FROM @advt_einvoice_key;
EXECUTE advt_einvoice_key;
DEALLOCATE PREPARE advt_einvoice_key;

ALTER TABLE advt_einvoice DROP INDEX IF EXISTS advt_einvoice_irn;
ALTER TABLE advt_einvoice ADD INDEX IF NOT EXISTS advt_einvoice_bill (ein_bill_no);

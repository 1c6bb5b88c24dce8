-- Adds the table of e-invoice registrations to a database made before e-invoicing:
--   mariadb selvoro < db/migrations/001-advt_einvoice.sql
-- Safe to run again. New databases get the table from db/schema.sql.
CREATE TABLE IF NOT EXISTS advt_einvoice (
    ein_bill_no         VARCHAR(20)   NOT NULL,
    ein_irn             CHAR(64)      NOT NULL,
    ein_ack_no          VARCHAR(20)   NOT NULL,
    ein_ack_date        DATETIME      NOT NULL,
    ein_signed_invoice  MEDIUMTEXT    NOT NULL,
    ein_signed_qr       TEXT          NOT NULL,
    ein_imported_on     DATETIME      NOT NULL DEFAULT CURRENT_TIMESTAMP,
    PRIMARY KEY (ein_bill_no),
    UNIQUE KEY advt_einvoice_irn (ein_irn)
) ENGINE=InnoDB;

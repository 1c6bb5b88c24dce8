-- Tables of the advertisement billing desk, as the desk sees them on the shared server.
-- Loaded into the database `selvoro` (the loader creates it and selects it first).
-- Codes are short texts, amounts DECIMAL(12,2), rates and percentages DECIMAL with two decimals,
-- flags and counts INT. Text columns that the desk writes into bills default to the empty text and
-- numbers to 0, because the booking side stores empties rather than NULLs; dates that can be
-- missing (an unbilled schedule has no bill date, many bookings have no release order) are NULL.

SET NAMES utf8mb4;

-- Financial years of the accounts side; the default year names the accounts database.
-- Queried as selvoro.ac_fin_year at start-up.
CREATE TABLE ac_fin_year (
    ac_year_code  VARCHAR(10)  NOT NULL,
    ac_db_name    VARCHAR(64)  NULL,
    ac_from_date  DATE         NULL,
    ac_to_date    DATE         NULL,
    ac_default    INT          NOT NULL DEFAULT 0,
    PRIMARY KEY (ac_year_code)
) ENGINE=InnoDB;

-- Installed version of each package of the publisher's software; "advt" is this desk.
CREATE TABLE versionmaster (
    pack_code     VARCHAR(10)  NOT NULL,
    version_code  VARCHAR(20)  NOT NULL DEFAULT '',
    version_date  DATE         NULL,
    PRIMARY KEY (pack_code)
) ENGINE=InnoDB;

-- Units (branches) of the publisher. unit_app_advt 0 or 2 opens the unit to the advertisement
-- desk; unit_priority orders the unit lists. Code and name come first: the edition help lists
-- this table with "Select *" and takes its first two columns.
CREATE TABLE unitmaster (
    unit_code      VARCHAR(5)   NOT NULL,
    unit_name      VARCHAR(60)  NOT NULL DEFAULT '',
    unit_app_advt  INT          NULL DEFAULT 0,
    unit_priority  INT          NOT NULL DEFAULT 0,
    unit_address   VARCHAR(100) NULL DEFAULT '',
    PRIMARY KEY (unit_code),
    KEY unitmaster_priority (unit_priority)
) ENGINE=InnoDB;

-- Staff who may log in. user_id 1 is the built-in first user; user_login_advt 1 lets the user into
-- this desk; a non-zero user_type marks an administrator. Password, login flag and type can be
-- missing on accounts made by other departments' programs, so they stay NULL-able.
CREATE TABLE userdetails (
    user_id          INT          NOT NULL,
    user_name        VARCHAR(30)  NOT NULL,
    user_password    VARCHAR(30)  NULL,
    user_login_advt  INT          NULL DEFAULT 0,
    user_type        INT          NULL DEFAULT 0,
    user_full_name   VARCHAR(60)  NULL DEFAULT '',
    PRIMARY KEY (user_id),
    KEY userdetails_name (user_name)
) ENGINE=InnoDB;

-- Which units each user may work for.
CREATE TABLE unitaccess (
    unit_code  VARCHAR(5)  NOT NULL,
    user_id    INT         NOT NULL,
    PRIMARY KEY (user_id, unit_code)
) ENGINE=InnoDB;

-- Record locks taken by the booking screens; a user's locks are released when the user logs in.
CREATE TABLE advt_lockmaster (
    lock_id     INT          NOT NULL AUTO_INCREMENT,
    user_id     INT          NOT NULL,
    unit_code   VARCHAR(5)   NULL DEFAULT '',
    lock_form   VARCHAR(40)  NULL DEFAULT '',
    lock_key    VARCHAR(30)  NULL DEFAULT '',
    lock_time   DATETIME     NULL,
    PRIMARY KEY (lock_id),
    KEY advt_lockmaster_user (user_id)
) ENGINE=InnoDB;

-- Numbering series: bill-number templates per unit ("ADBL_" + unit code) and the next split
-- edition code ("ADVT_SPLIT").
CREATE TABLE numbersetup (
    no_id     VARCHAR(20)  NOT NULL,
    no_value  VARCHAR(30)  NULL,
    no_remarks VARCHAR(60) NULL DEFAULT '',
    PRIMARY KEY (no_id)
) ENGINE=InnoDB;

-- Products (publications and editions sold for advertisement); "DLY" is the daily that heads the
-- bill grid.
CREATE TABLE productmaster (
    product_code      VARCHAR(10)  NOT NULL,
    product_name      VARCHAR(60)  NULL DEFAULT '',
    product_priority  INT          NOT NULL DEFAULT 0,
    PRIMARY KEY (product_code)
) ENGINE=InnoDB;

-- Editions named by the split edition master.
CREATE TABLE editionmaster (
    edition_code  VARCHAR(10)  NOT NULL,
    edition_name  VARCHAR(60)  NOT NULL DEFAULT '',
    unit_code     VARCHAR(5)   NULL DEFAULT '',
    PRIMARY KEY (edition_code)
) ENGINE=InnoDB;

-- Split editions: a named share of an edition, created by a unit. A name and a code belong to one
-- split edition only: the keys keep two workstations that save at the same moment from both
-- storing the same name (the program's own check runs before its transaction) or the same code.
-- The name, by which the master finds a split edition, is the primary key: a cluster whose nodes
-- require one (wsrep_mode=REQUIRED_PRIMARY_KEY) refuses a table without. Databases made before it
-- get the key from db/migrations/002-advt_splitedition-key.sql.
CREATE TABLE advt_splitedition (
    unit_code      VARCHAR(5)   NOT NULL DEFAULT '',
    split_code     VARCHAR(10)  NULL,
    split_name     VARCHAR(60)  NOT NULL DEFAULT '',
    edition_code   VARCHAR(10)  NOT NULL DEFAULT '',
    created_by     INT          NULL,
    created_date   DATE         NULL,
    created_time   TIME         NULL,
    modified_by    INT          NULL,
    modified_date  DATE         NULL,
    modified_time  TIME         NULL,
    PRIMARY KEY (split_name),
    UNIQUE KEY advt_splitedition_code (split_code)
) ENGINE=InnoDB;

-- Publisher companies: SV the publisher, SX the second company that bills the "FSH" product.
CREATE TABLE acc_companymaster (
    comp_code     VARCHAR(5)    NOT NULL,
    comp_name     VARCHAR(80)   NOT NULL DEFAULT '',
    comp_address  VARCHAR(120)  NULL DEFAULT '',
    comp_gstin    VARCHAR(15)   NULL DEFAULT '',
    comp_cin      VARCHAR(21)   NULL DEFAULT '',
    comp_pan      VARCHAR(10)   NULL DEFAULT '',
    PRIMARY KEY (comp_code)
) ENGINE=InnoDB;

-- Agency groups (agency types): commission shown or not, number of bill copies (0 = not billed
-- here), address shown or not, and the bill print type (1 = two copies, 2 = client address block).
CREATE TABLE advt_clienttype (
    group_code          VARCHAR(5)    NOT NULL,
    group_name          VARCHAR(60)   NOT NULL DEFAULT '',
    group_comm          DECIMAL(5,2)  NOT NULL DEFAULT 0,
    group_no_of_bills   INT           NOT NULL DEFAULT 1,
    group_show_comm     INT           NOT NULL DEFAULT 0,
    group_show_address  INT           NOT NULL DEFAULT 0,
    group_bp_type       INT           NOT NULL DEFAULT 0,
    PRIMARY KEY (group_code)
) ENGINE=InnoDB;

-- Sub-areas (places) an agency belongs to; the name is the place of supply on a bill.
CREATE TABLE advt_subarea (
    sub_code   VARCHAR(5)   NOT NULL,
    sub_name   VARCHAR(60)  NOT NULL DEFAULT '',
    unit_code  VARCHAR(5)   NULL DEFAULT '',
    PRIMARY KEY (sub_code)
) ENGINE=InnoDB;

-- Advertising agencies. agency_type is the agency group; agency_bill_colcms above 0 bills display
-- space in column-centimetres. GSTIN and PAN are empty (or "NA") for unregistered agencies.
CREATE TABLE advt_agencymaster (
    agency_code         VARCHAR(10)   NOT NULL,
    agency_name         VARCHAR(80)   NOT NULL DEFAULT '',
    agency_type         VARCHAR(5)    NOT NULL DEFAULT '',
    agency_subarea      VARCHAR(5)    NOT NULL DEFAULT '',
    agency_add1         VARCHAR(80)   NULL DEFAULT '',
    agency_add2         VARCHAR(80)   NULL DEFAULT '',
    agency_add3         VARCHAR(80)   NULL DEFAULT '',
    agency_bill_colcms  INT           NOT NULL DEFAULT 0,
    agency_gstin        VARCHAR(15)   NULL DEFAULT '',
    agency_pan          VARCHAR(10)   NULL DEFAULT '',
    PRIMARY KEY (agency_code),
    KEY advt_agencymaster_type (agency_type)
) ENGINE=InnoDB;

-- Direct clients; a schedule with sch_gst_type 1 is billed with the client's GSTIN and PAN.
CREATE TABLE advt_clientmaster (
    client_code      VARCHAR(10)  NOT NULL,
    client_name      VARCHAR(80)  NOT NULL DEFAULT '',
    client_address   VARCHAR(80)  NULL DEFAULT '',
    client_address2  VARCHAR(80)  NULL DEFAULT '',
    client_address3  VARCHAR(80)  NULL DEFAULT '',
    client_gstin     VARCHAR(15)  NULL DEFAULT '',
    client_pan       VARCHAR(10)  NULL DEFAULT '',
    PRIMARY KEY (client_code)
) ENGINE=InnoDB;

-- Rates; DAVP bills name the newspaper's DAVP code and the place of publication of the rate.
CREATE TABLE advt_ratemaster (
    rate_code       VARCHAR(10)    NOT NULL,
    rate_name       VARCHAR(60)    NOT NULL DEFAULT '',
    rate_ed_code    VARCHAR(10)    NULL DEFAULT '',
    rate_card_rate  DECIMAL(10,2)  NOT NULL DEFAULT 0,
    rate_davp_code  VARCHAR(20)    NULL DEFAULT '',
    rate_place      VARCHAR(60)    NULL DEFAULT '',
    PRIMARY KEY (rate_code)
) ENGINE=InnoDB;

-- Insertion schedules as booked, priced and taxed by the booking side; one bill groups the
-- schedules that share a bill number. sch_slno starts with the unit code. sch_words is 0 for display
-- (area-priced) advertisements. CGST is sch_gst_*, SGST sch_sgst_*, IGST sch_igst_*.
CREATE TABLE advt_schedule (
    unit_code            VARCHAR(5)     NOT NULL,
    sch_slno             VARCHAR(15)    NOT NULL,
    sch_bill_no          VARCHAR(20)    NOT NULL DEFAULT '',
    sch_bill_date        DATE           NULL,
    sch_ins_date         DATE           NOT NULL,
    sch_agency_code      VARCHAR(10)    NOT NULL DEFAULT '',
    sch_agtype           VARCHAR(5)     NOT NULL DEFAULT '',
    sch_client_code      VARCHAR(10)    NOT NULL DEFAULT '',
    sch_client_name      VARCHAR(80)    NOT NULL DEFAULT '',
    sch_client_address   VARCHAR(80)    NOT NULL DEFAULT '',
    sch_client_address2  VARCHAR(80)    NOT NULL DEFAULT '',
    sch_client_address3  VARCHAR(80)    NOT NULL DEFAULT '',
    sch_ed_code          VARCHAR(30)    NOT NULL DEFAULT '',
    sch_ed_pdt           VARCHAR(100)   NOT NULL DEFAULT '',
    sch_ratecode         VARCHAR(10)    NOT NULL DEFAULT '',
    sch_caption          VARCHAR(100)   NOT NULL DEFAULT '',
    sch_ad_ref           VARCHAR(80)    NOT NULL DEFAULT '',
    sch_ro_no            VARCHAR(30)    NULL DEFAULT '',
    sch_ro_date          DATE           NULL,
    sch_box_no           VARCHAR(10)    NOT NULL DEFAULT '',
    sch_box_chg          DECIMAL(12,2)  NOT NULL DEFAULT 0,
    sch_words            INT            NOT NULL DEFAULT 0,
    sch_cols             INT            NOT NULL DEFAULT 0,
    sch_sqcm             DECIMAL(10,2)  NOT NULL DEFAULT 0,
    sch_sqcms            DECIMAL(10,2)  NOT NULL DEFAULT 0,
    sch_card_rate        DECIMAL(10,2)  NOT NULL DEFAULT 0,
    sch_new_rate         DECIMAL(10,2)  NOT NULL DEFAULT 0,
    sch_ext_chg          DECIMAL(12,2)  NOT NULL DEFAULT 0,
    sch_disc_amt         DECIMAL(12,2)  NOT NULL DEFAULT 0,
    sch_del_chg          DECIMAL(12,2)  NOT NULL DEFAULT 0,
    sch_budget           DECIMAL(12,2)  NOT NULL DEFAULT 0,
    sch_comm_per         DECIMAL(5,2)   NOT NULL DEFAULT 0,
    sch_gross_amt        DECIMAL(12,2)  NOT NULL DEFAULT 0,
    sch_gst_type         INT            NOT NULL DEFAULT 0,
    sch_gst_per          DECIMAL(5,2)   NOT NULL DEFAULT 0,
    sch_sgst_per         DECIMAL(5,2)   NOT NULL DEFAULT 0,
    sch_igst_per         DECIMAL(5,2)   NOT NULL DEFAULT 0,
    sch_gst_amt          DECIMAL(12,2)  NOT NULL DEFAULT 0,
    sch_sgst_amt         DECIMAL(12,2)  NOT NULL DEFAULT 0,
    sch_igst_amt         DECIMAL(12,2)  NOT NULL DEFAULT 0,
    sch_gross_bill       DECIMAL(12,2)  NOT NULL DEFAULT 0,
    sch_net_total        DECIMAL(12,2)  NOT NULL DEFAULT 0,
    PRIMARY KEY (unit_code, sch_slno),
    KEY advt_schedule_ins_date (unit_code, sch_ins_date),
    KEY advt_schedule_bill_no (sch_bill_no),
    KEY advt_schedule_agency (sch_agency_code)
) ENGINE=InnoDB;

-- One row per insertion of a schedule: the date and the page it appeared on.
CREATE TABLE advt_scheduledetails (
    sdet_id        INT          NOT NULL AUTO_INCREMENT,
    unit_code      VARCHAR(5)   NOT NULL DEFAULT '',
    sdet_sch_code  VARCHAR(15)  NOT NULL,
    sdet_ins_date  DATE         NULL,
    sdet_ed_code   VARCHAR(10)  NULL DEFAULT '',
    sdet_page      VARCHAR(10)  NOT NULL DEFAULT '',
    PRIMARY KEY (sdet_id),
    KEY advt_scheduledetails_sch (sdet_sch_code, unit_code)
) ENGINE=InnoDB;

-- Exchange entries of a schedule (space traded against goods or services): the debits are netted
-- against the schedule's extra charge, the credits against its discount.
CREATE TABLE advt_sch_exchg (
    exchg_id       INT            NOT NULL AUTO_INCREMENT,
    unit_code      VARCHAR(5)     NOT NULL DEFAULT '',
    sdet_sch_code  VARCHAR(15)    NOT NULL,
    sdet_date      DATE           NULL,
    sdet_remarks   VARCHAR(80)    NULL DEFAULT '',
    sdet_dr_amt    DECIMAL(12,2)  NOT NULL DEFAULT 0,
    sdet_cr_amt    DECIMAL(12,2)  NOT NULL DEFAULT 0,
    PRIMARY KEY (exchg_id),
    KEY advt_sch_exchg_sch (unit_code, sdet_sch_code)
) ENGINE=InnoDB;

-- The e-invoice registrations of bills: the Invoice Registration Portal's answer to a bill's
-- document (reference number, acknowledgement, signed invoice and signed QR code), one per IRN. A
-- cancelled registration is kept with the date it was cancelled on; a bill has at most one that
-- is not cancelled. Also made by db/migrations/001-advt_einvoice.sql and
-- 003-advt_einvoice-cancellations.sql for databases made before them.
CREATE TABLE advt_einvoice (
    ein_bill_no         VARCHAR(20)   NOT NULL,
    ein_irn             CHAR(64)      NOT NULL,
    ein_ack_no          VARCHAR(20)   NOT NULL,
    ein_ack_date        DATETIME      NOT NULL,
    ein_signed_invoice  MEDIUMTEXT    NOT NULL,
    ein_signed_qr       TEXT          NOT NULL,
    ein_imported_on     DATETIME      NOT NULL DEFAULT CURRENT_TIMESTAMP,
    ein_cancel_date     DATETIME      NULL DEFAULT NULL,
    PRIMARY KEY (ein_irn),
    KEY advt_einvoice_bill (ein_bill_no)
) ENGINE=InnoDB;

#!/usr/bin/env bash
# The migrations bring a database made before them to the tables of db/schema.sql, keep its rows,
# and change nothing when they run again. Checked on scratch databases of the private test server.
# Usage: tst_migrations.sh SOURCE_DIR   (needs SELVORO_TEST_SOCKET; exit 77 = skipped)
set -euo pipefail

source_dir=${1:?usage: tst_migrations.sh SOURCE_DIR}
if [[ -z ${SELVORO_TEST_SOCKET:-} ]]; then
    echo "SKIP: no private test database (run through scripts/test)"
    exit 77
fi

old=selvoro_migrated
new=selvoro_fresh
sql() {
    mariadb --no-defaults --socket="$SELVORO_TEST_SOCKET" -uroot --batch --skip-column-names "$@"
}
trap 'sql -e "DROP DATABASE IF EXISTS $old; DROP DATABASE IF EXISTS $new" || true' EXIT

load_schema() {
    { echo "DROP DATABASE IF EXISTS $1; CREATE DATABASE $1 CHARACTER SET utf8mb4; USE $1;"; cat "$source_dir/db/schema.sql"; } | sql
}
load_schema "$new"
load_schema "$old"
# The tables as they were before the migrations: the e-invoice table as it was first made (keyed
# by the bill number, no cancellations) with a registration, split editions without a primary key.
sql "$old" -e "DROP TABLE advt_einvoice"
sql "$old" <"$source_dir/db/migrations/001-advt_einvoice.sql"
sql "$old" <<'SQL'
INSERT INTO advt_einvoice (ein_bill_no, ein_irn, ein_ack_no, ein_ack_date, ein_signed_invoice, ein_signed_qr)
VALUES ('KC/01201', REPEAT('a', 64), '112010000000001', '2026-12-07 11:30:00', 'x.y.z', 'x.y.z');
DROP TABLE advt_splitedition;
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
    UNIQUE KEY advt_splitedition_code (split_code),
    UNIQUE KEY advt_splitedition_name (split_name)
) ENGINE=InnoDB;
INSERT INTO advt_splitedition (unit_code, split_code, split_name, edition_code) VALUES
    ('01', 'SP0001', 'North', '01'), ('01', NULL, 'Old Town', '01');
SQL

failures=0
for run in first again; do
    for migration in "$source_dir"/db/migrations/*.sql; do
        if ! sql "$old" <"$migration"; then
            echo "FAIL: $(basename "$migration") failed on its $run run"
            failures=$((failures + 1))
        fi
    done
done
for table in advt_einvoice advt_splitedition; do
    if [[ $(sql "$old" -e "SHOW CREATE TABLE $table") == "$(sql "$new" -e "SHOW CREATE TABLE $table")" ]]; then
        echo "PASS: $table as db/schema.sql makes it"
    else
        echo "FAIL: $table differs from db/schema.sql's"
        failures=$((failures + 1))
    fi
done
rows=$(sql "$old" -e "SELECT GROUP_CONCAT(split_name ORDER BY split_name) FROM advt_splitedition")
if [[ $rows == "North,Old Town" ]]; then
    echo "PASS: the split editions are kept"
else
    echo "FAIL: split editions after the migration: [$rows]"
    failures=$((failures + 1))
fi

rows=$(sql "$old" -e "SELECT CONCAT_WS('|', ein_bill_no, LEFT(ein_irn, 4), ein_ack_date, IFNULL(ein_cancel_date, 'active')) FROM advt_einvoice")
if [[ $rows == "KC/01201|aaaa|2026-12-07 11:30:00|active" ]]; then
    echo "PASS: the registration is kept, not cancelled"
else
    echo "FAIL: registrations after the migration: [$rows]"
    failures=$((failures + 1))
fi

echo "$failures failed"
[[ $failures -eq 0 ]]

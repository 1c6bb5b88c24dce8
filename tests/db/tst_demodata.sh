#!/usr/bin/env bash
# Loads db/schema.sql and db/demo.sql into a scratch database of the private test server and checks
# what the demo promises: units, users, number series, version, masters and billed schedules of
# every kind, for each unit. Also reaches the server through the two connection strings.
# Usage: tst_demodata.sh SOURCE_DIR   (needs SELVORO_TEST_PORT and SELVORO_TEST_SOCKET; exit 77 = skipped)
set -euo pipefail

source_dir=${1:?usage: tst_demodata.sh SOURCE_DIR}
if [[ -z ${SELVORO_TEST_PORT:-} || -z ${SELVORO_TEST_SOCKET:-} ]]; then
    echo "SKIP: no private test database (run through scripts/test)"
    exit 77
fi

scratch=selvoro_democheck
sql() {
    mariadb --no-defaults --socket="$SELVORO_TEST_SOCKET" -uroot --batch --skip-column-names "$@"
}
cleanup() {
    sql -e "REVOKE ALL PRIVILEGES ON $scratch.* FROM 'quorvanix'@'127.0.0.1'; DROP DATABASE IF EXISTS $scratch" || true
}
trap cleanup EXIT

failures=0
expect() {
    local what=$1 query=$2 wanted=$3 got
    got=$(sql "$scratch" -e "$query")
    if [[ $got == "$wanted" ]]; then
        echo "PASS: $what"
    else
        echo "FAIL: $what: got [$got], wanted [$wanted]"
        failures=$((failures + 1))
    fi
}

{
    echo "DROP DATABASE IF EXISTS $scratch; CREATE DATABASE $scratch CHARACTER SET utf8mb4; USE $scratch;"
    cat "$source_dir/db/schema.sql"
    echo "USE $scratch;"
    cat "$source_dir/db/demo.sql"
    echo "GRANT ALL PRIVILEGES ON $scratch.* TO 'quorvanix'@'127.0.0.1';"
} | sql

expect "units open to the desk, by priority" \
    "SELECT GROUP_CONCAT(unit_code ORDER BY unit_priority) FROM unitmaster WHERE unit_app_advt IN (0, 2)" "001,002,003"
expect "the first user, an ordinary user, an administrator, a refused user" \
    "SELECT GROUP_CONCAT(CONCAT(user_id, user_name, user_login_advt, user_type) ORDER BY user_id) FROM userdetails" \
    "1admin11,2ravi10,3meera11,4suresh00"
expect "four registered bills of Kochi, one of them cancelled, each signed QR code a token of three parts" \
    "SELECT COUNT(DISTINCT ein_irn), COUNT(DISTINCT IF(ein_cancel_date IS NULL, NULL, ein_irn)), MIN(LENGTH(ein_signed_qr) - LENGTH(REPLACE(ein_signed_qr, '.', ''))) FROM advt_einvoice JOIN advt_schedule ON sch_bill_no = ein_bill_no AND unit_code = '001'" \
    "4	1	2"
expect "bill-number series of every unit and the split series" \
    "SELECT GROUP_CONCAT(no_id ORDER BY no_id) FROM numbersetup WHERE no_id LIKE 'ADBL\_%' OR no_id = 'ADVT_SPLIT'" \
    "ADBL_001,ADBL_002,ADBL_003,ADVT_SPLIT"
expect "bill series hold the unit's last bill" \
    "SELECT COUNT(*) FROM numbersetup n JOIN (SELECT unit_code, MAX(sch_bill_no) b FROM advt_schedule GROUP BY unit_code) s ON n.no_id = CONCAT('ADBL_', s.unit_code) AND n.no_value = s.b" "3"
expect "the current version of the desk" "SELECT version_code FROM versionmaster WHERE pack_code = 'advt'" "V14.6"
expect "one default financial year" "SELECT COUNT(*) FROM ac_fin_year WHERE ac_default = 1" "1"
expect "both publisher companies with CIN and GSTIN" \
    "SELECT COUNT(*) FROM acc_companymaster WHERE comp_code IN ('SV', 'SX') AND comp_cin <> '' AND comp_gstin <> ''" "2"
expect "every schedule reaches its agency, group and sub-area" \
    "SELECT COUNT(*) FROM advt_schedule s LEFT JOIN advt_agencymaster a ON a.agency_code = s.sch_agency_code LEFT JOIN advt_clienttype g ON g.group_code = a.agency_type LEFT JOIN advt_subarea r ON r.sub_code = a.agency_subarea WHERE g.group_code IS NULL OR r.sub_code IS NULL" "0"
expect "schedule numbers start with the unit code" \
    "SELECT COUNT(*) FROM advt_schedule WHERE LEFT(sch_slno, 3) <> unit_code" "0"
expect "every schedule has its pages" \
    "SELECT COUNT(*) FROM advt_schedule s WHERE NOT EXISTS (SELECT 1 FROM advt_scheduledetails d WHERE d.sdet_sch_code = s.sch_slno AND d.unit_code = s.unit_code)" "0"
expect "split editions name known editions" \
    "SELECT COUNT(*) FROM advt_splitedition s LEFT JOIN editionmaster e ON e.edition_code = s.edition_code WHERE e.edition_code IS NULL" "0"
# Per unit: billable bills of the last seven weeks, classified, display, CGST/SGST, IGST, GST type 1,
# the second company's product, DAVP bills with and without a rate-master row, exchange entries.
for unit in 001 002 003; do
    expect "unit $unit: a few hundred billable bills over the last weeks" \
        "SELECT COUNT(DISTINCT sch_bill_no) >= 200 FROM advt_schedule s JOIN advt_agencymaster a ON a.agency_code = s.sch_agency_code JOIN advt_clienttype g ON g.group_code = a.agency_type WHERE s.unit_code = '$unit' AND sch_bill_no <> '' AND sch_ins_date BETWEEN CURDATE() - INTERVAL 49 DAY AND CURDATE() AND group_no_of_bills > 0 AND sch_net_total > 0" "1"
    expect "unit $unit: every kind of bill" \
        "SELECT SUM(sch_words > 0) > 0 AND SUM(sch_words = 0) > 0 AND SUM(sch_gst_amt > 0 AND sch_sgst_amt > 0) > 0 AND SUM(sch_igst_amt > 0) > 0 AND SUM(sch_gst_type = 1) > 0 AND SUM(sch_ed_code = 'FSH') > 0 FROM advt_schedule WHERE unit_code = '$unit' AND sch_bill_no <> ''" "1"
    expect "unit $unit: net total is gross plus tax" \
        "SELECT COUNT(*) FROM advt_schedule WHERE unit_code = '$unit' AND sch_net_total <> sch_gross_amt + sch_gst_amt + sch_sgst_amt + sch_igst_amt" "0"
    expect "unit $unit: DAVP bills, with and without a rate-master row" \
        "SELECT SUM(r.rate_code IS NOT NULL) > 0 AND SUM(r.rate_code IS NULL) > 0 FROM advt_schedule s LEFT JOIN advt_ratemaster r ON r.rate_code = s.sch_ratecode WHERE s.unit_code = '$unit' AND s.sch_agency_code = '010590' AND s.sch_bill_no <> ''" "1"
    expect "unit $unit: exchange entries" "SELECT COUNT(*) > 0 FROM advt_sch_exchg WHERE unit_code = '$unit'" "1"
done

# The two connection strings of the program, through the registered driver name.
port=$SELVORO_TEST_PORT
for account in "root;PASSWORD='6309'" "quorvanix;PASSWORD=greenmeadows"; do
    got=$(echo "SELECT COUNT(*) FROM unitmaster" |
        isql -b -k "DRIVER={MySQL ODBC 3.51 Driver};SERVER=127.0.0.1; USER=$account;OPTION=3;Database=$scratch;PORT=$port" 2>&1 || true)
    if [[ $got == *"| 4 "* ]]; then
        echo "PASS: connection string of ${account%%;*}"
    else
        echo "FAIL: connection string of ${account%%;*}: $got"
        failures=$((failures + 1))
    fi
done

echo "Totals: $failures failed"
[[ $failures -eq 0 ]]

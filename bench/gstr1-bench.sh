#!/usr/bin/env bash
# GSTR-1 benchmark: the 10,000 billed schedules of bench/bills-data.sql, their bill dates moved
# into one month (June 2026), the companies and three clients in four GSTINs that pass the check
# (the bills of the fourth carry their agency's GSTIN, which fails the check: a problem each), and
# selvoro-cli gstr1 writing that month's files and table. Prints the time and peak memory of each run and
# their range.
#
# Usage: bench/gstr1-bench.sh [--build DIR] [--runs N]
#   --build  the build to time (default build-rel: cmake -S . -B build-rel -G Ninja
#            -DCMAKE_BUILD_TYPE=Release && cmake --build build-rel --target selvoro-cli)
#   --runs   runs (default 3)
# The benchmark's MariaDB instance lives in DIR/benchdb-gstr1 and is stopped at the end.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$repo/build-rel runs=3
while [[ $# -gt 0 ]]; do
    case $1 in
    --build) build=$(cd "$2" && pwd); shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    *) echo "usage: bench/gstr1-bench.sh [--build DIR] [--runs N]" >&2; exit 2 ;;
    esac
done
source "$repo/bench/bench-common.sh"
cli=$build/bin/selvoro-cli
[[ -x $cli ]] || { echo "gstr1-bench: build $cli first" >&2; exit 2; }

db=$build/benchdb-gstr1
work=$(mktemp -d)
trap 'bash "$repo/scripts/db" stop "$db" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
bash "$repo/scripts/db" start "$db" >/dev/null
eval "$(bash "$repo/scripts/db" env "$db")"
sql() { mariadb --no-defaults --socket="$SELVORO_TEST_SOCKET" -uroot "$@"; }
{
    echo "DROP DATABASE IF EXISTS selvoro; CREATE DATABASE selvoro CHARACTER SET utf8mb4; USE selvoro;"
    cat "$repo/db/schema.sql" "$repo/bench/bills-data.sql"
    echo "UPDATE advt_schedule SET sch_bill_date = '2026-06-01' + INTERVAL (CAST(RIGHT(sch_slno, 5) AS UNSIGNED) % 30) DAY;"
    echo "UPDATE acc_companymaster SET comp_gstin = IF(comp_code = 'SV', '32AABCS4821R1Z4', '32AAGCS7310M1ZB');"
    echo "UPDATE advt_clientmaster SET client_gstin = ELT(1 + CAST(RIGHT(client_code, 5) AS UNSIGNED) % 4,"
    echo "    '32AAACL7612H1ZU', '29AAECB1122P1ZL', '33AADCC7788F1ZH', '');"
} | sql
bench_environment "$work"
printf '[Database]\nPort=%s\n[Workstation]\nDefaultUnit=KOC\n' "$SELVORO_TEST_PORT" >"$SELVORO_DEPLOYMENT"

times=() peaks=()
for ((run = 1; run <= runs; run++)); do
    rm -rf "$work/out" && mkdir "$work/out"
    start=$(now)
    /usr/bin/time -f '%M' -o "$work/peak" "$cli" gstr1 --server 127.0.0.1 --user clerk --period 2026-06 \
        --json-dir "$work/out" --csv "$work/out/check.csv" >/dev/null 2>"$work/err"
    times+=("$(calc "$(now) - $start")")
    peaks+=("$(calc "$(cat "$work/peak") / 1024")")
    printf 'run %d: %.2f s, peak %.0f MB: %s\n' "$run" "${times[-1]}" "${peaks[-1]}" "$(grep 'GSTR-1' "$work/err")"
done
printf 'selvoro-cli gstr1, a month of %s bills: %s s, peak %s MB\n' \
    "$(sql -N selvoro -e "SELECT COUNT(DISTINCT sch_bill_no) FROM advt_schedule WHERE sch_bill_no <> ''")" \
    "$(range "${times[@]}")" "$(range "${peaks[@]}")"

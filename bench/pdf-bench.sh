#!/usr/bin/env bash
# PDF benchmark: the tax invoices of 10,000 bills (bench/bills-data.sql, 17,500 A4 pages) and the
# spooler's PDF of their print file, against the same generation writing its CSV. Loads the bills
# into a private MariaDB instance (shared with bills-bench.sh), writes the print file once
# (selvoro-cli bills --prn), then for each run times, one after the other:
#   - selvoro-cli bills --csv (the generation alone),
#   - selvoro-cli bills --invoice-pdf (the same generation and the invoices),
#   - inetspooler in PDF mode on the print file,
# with the peak memory of each, and prints the ratios to the CSV run of the same run (targets: at
# most 5 for the invoices, at most 3 for the spooler; peak memory < 300 MB), then the ranges over
# the runs. The PDFs are checked: their page count, and fonts that are embedded.
#
# Usage: bench/pdf-bench.sh [--build DIR] [--runs N]
#   --build   an optimized build (default build-rel: cmake -S . -B build-rel -G Ninja
#             -DCMAKE_BUILD_TYPE=Release && cmake --build build-rel --target selvoro-cli inetspooler)
#   --runs    runs of each measurement (default 3)
# The instance lives in DIR/benchdb and is stopped at the end.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$repo/build-rel runs=3
while [[ $# -gt 0 ]]; do
    case $1 in
    --build) build=$(cd "$2" && pwd); shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    *) echo "usage: bench/pdf-bench.sh [--build DIR] [--runs N]" >&2; exit 2 ;;
    esac
done
cli=$build/bin/selvoro-cli spooler=$build/bin/inetspooler
for program in "$cli" "$spooler"; do
    [[ -x $program ]] || { echo "bench: build $(basename "$program") first ($program)" >&2; exit 2; }
done
for tool in pdfinfo pdffonts; do
    command -v "$tool" >/dev/null || { echo "bench: $tool is missing (scripts/setup installs poppler-utils)" >&2; exit 2; }
done

work=$(mktemp -d)
dir=$build/benchdb
cleanup() {
    bash "$repo/scripts/db" stop "$dir" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

source "$repo/bench/bench-common.sh"
bench_environment "$work"
printf '[Workstation]\nDefaultUnit=KOC\n[Spooler]\nMode=pdf\nOutputFolder=%s/spool\n' "$work" >"$work/spooler.ini"

root() { mariadb --no-defaults --socket="$dir/sock" -uroot selvoro "$@"; }
bash "$repo/scripts/db" start "$dir" >/dev/null
if [[ $(root -N -e "SELECT COUNT(*) FROM advt_schedule" 2>/dev/null || echo 0) != 10000 ]]; then
    echo "loading 10,000 schedules (bills-data.sql)..."
    mariadb --no-defaults --socket="$dir/sock" -uroot \
        -e "DROP DATABASE IF EXISTS selvoro; CREATE DATABASE selvoro CHARACTER SET utf8mb4;"
    { cat "$repo/db/schema.sql"; cat "$repo/bench/bills-data.sql"; } | root
fi
bills=("$cli" bills --server 127.0.0.1 --port "$(<"$dir/port")" --user clerk --from 2026-01-01 --to 2026-12-31)

# The page count of the PDF $1, which must be $2, and its fonts, which must all be embedded.
check_pdf() {
    local pages
    pages=$(pdfinfo "$1" | awk '/^Pages:/ {print $2}')
    [[ $pages == "$2" ]] || { echo "bench: $1 has $pages pages, not $2" >&2; exit 1; }
    if pdffonts "$1" | awk 'NR > 2 && $(NF - 4) != "yes"' | grep -q .; then
        echo "bench: $1 has fonts that are not embedded" >&2
        pdffonts "$1" >&2
        exit 1
    fi
}

timed "${bills[@]}" --prn "$work/sch.prn"
pages=$(($(lines "$work/sch.prn") / 48))

declare -a csv_t csv_m pdf_t pdf_m spool_t spool_m pdf_ratio spool_ratio
echo "== 10,000 bills, $pages pages, $runs runs"
for ((run = 1; run <= runs; run++)); do
    timed "${bills[@]}" --csv "$work/grid.csv"
    csv_t+=("$elapsed") csv_m+=("$peak")
    timed "${bills[@]}" --invoice-pdf "$work/invoices.pdf"
    pdf_t+=("$elapsed") pdf_m+=("$peak")
    check_pdf "$work/invoices.pdf" "$pages"
    SELVORO_DEPLOYMENT=$work/spooler.ini timed "$spooler" "$work/sch.prn"
    spool_t+=("$elapsed") spool_m+=("$peak")
    check_pdf "$work/spool/sch.pdf" "$pages"
    pdf_ratio+=("$(calc "${pdf_t[-1]} / ${csv_t[-1]}")") spool_ratio+=("$(calc "${spool_t[-1]} / ${csv_t[-1]}")")
    printf 'run %d: --csv %.2f s (%.0f MB); --invoice-pdf %.2f s (%.0f MB), %.1f x; inetspooler PDF %.2f s (%.0f MB), %.1f x\n' \
        "$run" "${csv_t[-1]}" "${csv_m[-1]}" "${pdf_t[-1]}" "${pdf_m[-1]}" "${pdf_ratio[-1]}" "${spool_t[-1]}" \
        "${spool_m[-1]}" "${spool_ratio[-1]}"
done
echo "-- over $runs runs"
printf '%-34s %s s, peak %s MB\n' "selvoro-cli bills --csv" "$(range "${csv_t[@]}")" "$(range "${csv_m[@]}")"
printf '%-34s %s s, peak %s MB (%s MB file)\n' "selvoro-cli bills --invoice-pdf" "$(range "${pdf_t[@]}")" \
    "$(range "${pdf_m[@]}")" "$(calc "$(stat -c %s "$work/invoices.pdf") / 1048576" | xargs printf '%.0f')"
printf '%-34s %s s, peak %s MB (%s MB file)\n' "inetspooler PDF" "$(range "${spool_t[@]}")" "$(range "${spool_m[@]}")" \
    "$(calc "$(stat -c %s "$work/spool/sch.pdf") / 1048576" | xargs printf '%.0f')"
printf '%-34s %s (target <= 5)\n' "--invoice-pdf / --csv" "$(range "${pdf_ratio[@]}")"
printf '%-34s %s (target <= 3)\n' "inetspooler PDF / --csv" "$(range "${spool_ratio[@]}")"

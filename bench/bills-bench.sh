#!/usr/bin/env bash
# Generation benchmark: loads 10,000 billed schedules (bench/bills-data.sql, or with `davp` the
# DAVP schedules of bench/davp-data.sql) into a private MariaDB instance and prints, in one run:
#   - the time and peak memory of `selvoro-cli bills` (or `davp-bills`) generating all of them
#     into a CSV;
#   - the floor: the time of the very statements that run sent (captured from the server's general
#     log: the main query and the look-ups of each bill (agency, client and pages; for DAVP agency,
#     pages and rate master), plus start-up), replayed through the mariadb client in one session
#     over the same TCP connection kind;
#   - their ratio (target: at most 2.5) and the peak memory (target: under 300 MB).
# Usage: bench/bills-bench.sh [BUILD_DIR] [davp]
#   BUILD_DIR: an optimized build (default build-rel:
#   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release && cmake --build build-rel --target selvoro-cli form_bench);
#   the benchmark's own MariaDB instance lives in BUILD_DIR/benchdb (benchdb-davp) and is stopped
#   at the end.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$repo/build-rel}" && pwd)
cli=$build/bin/selvoro-cli
[[ -x $cli ]] || { echo "bench: build selvoro-cli first ($cli)" >&2; exit 2; }

command=bills data=bills-data.sql dir=$build/benchdb
if [[ ${2:-} == davp ]]; then
    command=davp-bills data=davp-data.sql dir=$build/benchdb-davp
fi
work=$(mktemp -d)
trap 'bash "$repo/scripts/db" stop "$dir" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

bash "$repo/scripts/db" start "$dir" >/dev/null
port=$(<"$dir/port")
root() { mariadb --no-defaults --socket="$dir/sock" -uroot "$@"; }

count=$(root -N -e "SELECT COUNT(*) FROM selvoro.advt_schedule" 2>/dev/null || echo 0)
if [[ $count != 10000 ]]; then
    echo "loading 10,000 schedules..."
    root -e "DROP DATABASE IF EXISTS selvoro; CREATE DATABASE selvoro CHARACTER SET utf8mb4;"
    { echo "USE selvoro;"; cat "$repo/db/schema.sql"; echo "USE selvoro;"; cat "$repo/bench/$data"; } | root
fi

printf '[Workstation]\nDefaultUnit=KOC\n' >"$work/selvoro.ini"
export SELVORO_DEPLOYMENT=$work/selvoro.ini SELVORO_PASSWORD=pass2 XDG_CONFIG_HOME=$work
run_cli() {
    "$cli" "$command" --server 127.0.0.1 --port "$port" --user clerk --from 2026-01-01 --to 2026-12-31 --csv "$1" 2>/dev/null
}

# Capture the statements of one run.
root -e "SET GLOBAL log_output='TABLE'; TRUNCATE mysql.general_log; SET GLOBAL general_log=1;"
run_cli "$work/capture.csv"
root -e "SET GLOBAL general_log=0;"
root -N --raw -e "SELECT CONCAT(argument, ';') FROM mysql.general_log WHERE command_type IN ('Query', 'Execute')
                  AND user_host LIKE 'root[root] @  [127.0.0.1]%'
                  -- the general log is kept in arrival order" >"$work/statements.sql"
statements=$(grep -c '' "$work/statements.sql")
bills=$(($(wc -l <"$work/capture.csv") - 4))

# Warm both paths once, then time them.
mariadb --no-defaults -h127.0.0.1 -P"$port" -uroot -p"'6309'" selvoro <"$work/statements.sql" >/dev/null
start=$(date +%s.%N)
/usr/bin/time -v -o "$work/time.txt" "$cli" "$command" --server 127.0.0.1 --port "$port" --user clerk \
    --from 2026-01-01 --to 2026-12-31 --csv "$work/bills.csv" 2>/dev/null
cli_seconds=$(echo "$(date +%s.%N) - $start" | bc)
start=$(date +%s.%N)
mariadb --no-defaults -h127.0.0.1 -P"$port" -uroot -p"'6309'" selvoro <"$work/statements.sql" >/dev/null
floor_seconds=$(echo "$(date +%s.%N) - $start" | bc)
peak_kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")

cmp -s "$work/capture.csv" "$work/bills.csv" || echo "bench: warning: the two runs wrote different grids" >&2
printf 'bills generated        %d\n' "$bills"
printf 'statements replayed    %d\n' "$statements"
printf 'selvoro-cli %-11s %.2f s\n' "$command" "$cli_seconds"
printf 'mariadb client floor   %.2f s\n' "$floor_seconds"
printf 'ratio                  %.2f (target <= 2.5)\n' "$(echo "$cli_seconds / $floor_seconds" | bc -l)"
printf 'peak memory            %.1f MB (target < 300)\n' "$(echo "$peak_kb / 1024" | bc -l)"

# The bill form with its view (offscreen): the same bills through its Show (target: at most 3.0 of
# the same floor).
if [[ $command == bills && -x $build/bin/form_bench ]]; then
    QT_QPA_PLATFORM=offscreen /usr/bin/time -v -o "$work/form-time.txt" "$build/bin/form_bench" "$port" \
        >"$work/form.txt" 2>/dev/null
    read -r form_seconds form_bills <"$work/form.txt"
    form_peak_kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/form-time.txt")
    printf 'form Show (offscreen)  %.2f s for %d bills\n' "$form_seconds" "$form_bills"
    printf 'form ratio             %.2f (target <= 3.0)\n' "$(echo "$form_seconds / $floor_seconds" | bc -l)"
    printf 'form peak memory       %.1f MB (target < 300)\n' "$(echo "$form_peak_kb / 1024" | bc -l)"
fi

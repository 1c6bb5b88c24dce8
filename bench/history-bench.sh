#!/usr/bin/env bash
# History benchmark: does a database holding years of older schedules slow the generation of a
# month or a year? For each kind (bills: bench/bills-data.sql, davp-bills: bench/davp-data.sql) it
# starts two private MariaDB instances: one holding the year 2026 alone (10,000 schedules), one
# holding the same year and 1,000,000 older schedules of the same unit with their insertions
# (bench/history-data.sql). It then times, on both, selvoro-cli bills and davp-bills over June
# 2026 (about 840 bills) and over the whole of 2026 (10,000 bills), and the bill form's Show
# (offscreen, bench/form_bench.cpp) over the same periods, and prints each run, the ranges over
# the runs and the ratio of the time with history to the time without, run by run and of the
# fastest runs (target: at most 1.2).
# Each measurement runs once untimed first, so both tables are read warm. The CSV of a run must
# be the same with and without history; its SHA-256 is printed.
#
# The plan the server chooses for a statement depends on its statistics of the tables. By default
# both instances have them as ANALYZE TABLE makes them; with --stale-stats the agency master's are
# those of a master of two agencies, as the server keeps them for a while after a bulk load (the
# state in which, left to itself, it starts from the agency groups and reaches the schedules
# through every schedule of each agency).
#
# Usage: bench/history-bench.sh [--build DIR] [--data DIR] [--runs N] [--only bills|davp] [--no-form]
#                               [--stale-stats] [--explain]
#   --build    an optimized build (default build-rel: cmake -S . -B build-rel -G Ninja
#              -DCMAKE_BUILD_TYPE=Release && cmake --build build-rel --target selvoro-cli form_bench)
#   --data     where the instances live (default: the build folder)
#   --runs     timed runs of each measurement (default 3)
#   --no-form  leave out the form
#   --stale-stats  the agency master's statistics of two agencies (see above)
#   --explain  also print the EXPLAIN, on the table with history, of every statement the program
#              sent to generate each period (taken from the server's general log of the untimed
#              run; a statement sent many times with other codes is shown once)
# The instances live in DIR/benchdb, DIR/benchdb-davp (shared with bills-bench.sh),
# DIR/benchdb-history and DIR/benchdb-davp-history of the data folder, and are stopped at the end. Loading the
# history takes several minutes the first time; it stays in DIR for the next runs.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$repo/build-rel data= runs=3 only= form=yes stats=analyzed explain=no
while [[ $# -gt 0 ]]; do
    case $1 in
    --build) build=$(cd "$2" && pwd); shift 2 ;;
    --data) data=$(cd "$2" && pwd); shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --only) only=$2; shift 2 ;;
    --no-form) form=no; shift ;;
    --stale-stats) stats=stale; shift ;;
    --explain) explain=yes; shift ;;
    *) echo "usage: bench/history-bench.sh [--build DIR] [--data DIR] [--runs N] [--only bills|davp] [--no-form]" \
            "[--stale-stats] [--explain]" >&2
       exit 2 ;;
    esac
done
data=${data:-$build} cli=$build/bin/selvoro-cli form_bench=$build/bin/form_bench
for program in "$cli" "$form_bench"; do
    [[ -x $program ]] || { echo "bench: build $(basename "$program") first ($program)" >&2; exit 2; }
done

work=$(mktemp -d)
started=()
cleanup() {
    local dir
    for dir in "${started[@]}"; do bash "$repo/scripts/db" stop "$dir" >/dev/null 2>&1 || true; done
    rm -rf "$work"
}
trap cleanup EXIT

source "$repo/bench/bench-common.sh"
bench_environment "$work"

root() { local dir=$1; shift; mariadb --no-defaults --socket="$dir/sock" -uroot selvoro "$@"; }

fastest() { printf '%s\n' "$@" | sort -g | head -1; }

# Starts the instance in $1 holding bench/$2, with the history when $3 is "history"; loads what
# it does not hold yet.
start_db() {
    local dir=$1 file=$2 history=$3 want=10000 count
    [[ $history == history ]] && want=1010000
    bash "$repo/scripts/db" start "$dir" >/dev/null
    started+=("$dir")
    count=$(root "$dir" -N -e "SELECT COUNT(*) FROM advt_schedule" 2>/dev/null || echo 0)
    [[ $count == "$want" ]] && return
    echo "loading $want schedules into $dir ($file$([[ $history == history ]] && echo ", history-data.sql"))..."
    mariadb --no-defaults --socket="$dir/sock" -uroot \
        -e "DROP DATABASE IF EXISTS selvoro; CREATE DATABASE selvoro CHARACTER SET utf8mb4;"
    # A larger buffer pool for the load only; the restart below gives the instance its own again.
    root "$dir" -e "SET GLOBAL innodb_buffer_pool_size = 1024 * 1024 * 1024"
    { cat "$repo/db/schema.sql" "$repo/bench/$file"; [[ $history != history ]] || cat "$repo/bench/history-data.sql"; } |
        root "$dir" >/dev/null
    bash "$repo/scripts/db" stop "$dir" >/dev/null
    bash "$repo/scripts/db" start "$dir" >/dev/null
}

# Gives the instance in $1 the statistics the run asks for ($stats).
set_stats() {
    local dir=$1
    if [[ $stats == analyzed ]]; then
        analyze_tables "$dir"
        return
    fi
    # The server reads its persistent statistics when it opens a table: restarted, it takes these.
    mariadb --no-defaults --socket="$dir/sock" -uroot mysql -e "
        UPDATE innodb_table_stats SET n_rows = 2 WHERE database_name = 'selvoro' AND table_name = 'advt_agencymaster';
        UPDATE innodb_index_stats SET stat_value = 2
        WHERE database_name = 'selvoro' AND table_name = 'advt_agencymaster' AND stat_name LIKE 'n_diff%';"
    bash "$repo/scripts/db" stop "$dir" >/dev/null
    bash "$repo/scripts/db" start "$dir" >/dev/null
}

# Runs one generation on the instance in $1: sets elapsed (seconds) and bills; the CSV is
# $work/out.csv. $2 is bills, davp-bills or form; $3 and $4 the dates.
generate() {
    local dir=$1 command=$2 from=$3 to=$4 start
    rm -f "$work/out.csv"
    start=$(now)
    if [[ $command == form ]]; then
        "$form_bench" "$(<"$dir/port")" "" "$from" "$to" >"$work/out" 2>"$work/err" || { cat "$work/err" >&2; exit 1; }
        read -r elapsed bills <"$work/out"
        return
    fi
    "$cli" "$command" --server 127.0.0.1 --port "$(<"$dir/port")" --user clerk --from "$from" --to "$to" \
        --csv "$work/out.csv" >"$work/out" 2>"$work/err" || { cat "$work/err" >&2; echo "bench: $command failed" >&2; exit 1; }
    elapsed=$(calc "$(now) - $start")
    bills=$(($(lines "$work/out.csv") - 4))
}

# The EXPLAIN of each statement in the general log $2 that reads the advertisement tables, on the
# instance in $1; statements that differ only in their quoted values and the number of codes in
# a list are shown once.
explain_log() {
    local dir=$1 log=$2 statement
    awk -F'\t' '$0 ~ / (Execute|Query)\t/ {
            text = $NF
            if (text !~ /^[Ss][Ee][Ll][Ee][Cc][Tt]/ || text !~ /(advt_|acc_)/) next
            shape = text
            gsub(/'"'"'[^'"'"']*'"'"'/, "?", shape)
            gsub(/NULL/, "?", shape)
            gsub(/\?(,\?)*/, "?", shape)
            if (!(shape in seen)) { seen[shape] = 1; print text }
        }' "$log" >"$work/statements"
    while IFS= read -r statement; do
        local label=$statement
        ((${#label} <= 160)) || label="${label:0:160}..."
        printf '  %s\n' "$label"
        printf 'EXPLAIN %s;\n' "$statement" | root "$dir" | sed 's/^/    /'
    done <"$work/statements"
}

# Times `command` over the period $2..$3 (named $4) with and without history, $runs times each.
run_period() {
    local command=$1 from=$2 to=$3 name=$4 run digest digest_history
    local -a plain_t history_t ratio
    # Untimed first runs: both tables warm, the outputs compared, the statements logged.
    generate "$plain" "$command" "$from" "$to"
    [[ $command == form ]] || digest=$(sha256sum <"$work/out.csv" | cut -c1-64)
    [[ $explain == yes && $command != form ]] &&
        root "$history" -e "SET GLOBAL general_log_file = '$work/general.log'; SET GLOBAL general_log = 1"
    generate "$history" "$command" "$from" "$to"
    if [[ $explain == yes && $command != form ]]; then
        root "$history" -e "SET GLOBAL general_log = 0"
        echo "-- EXPLAIN, $command, $name, with history:"
        explain_log "$history" "$work/general.log"
        rm -f "$work/general.log"
    fi
    if [[ $command != form ]]; then
        digest_history=$(sha256sum <"$work/out.csv" | cut -c1-64)
        [[ $digest == "$digest_history" ]] ||
            { echo "bench: $command, $name: the CSV with history differs from the CSV without" >&2; exit 1; }
    fi
    for ((run = 1; run <= runs; run++)); do
        generate "$plain" "$command" "$from" "$to"
        plain_t+=("$elapsed")
        generate "$history" "$command" "$from" "$to"
        history_t+=("$elapsed")
        ratio+=("$(calc "${history_t[-1]} / ${plain_t[-1]}")")
        printf 'run %d: %s, %s (%d bills): %.3f s without history, %.3f s with history (%.2f x)\n' "$run" \
            "$command" "$name" "$bills" "${plain_t[-1]}" "${history_t[-1]}" "${ratio[-1]}"
    done
    local best
    best=$(calc "$(fastest "${history_t[@]}") / $(fastest "${plain_t[@]}")")
    summary+=("$(printf '%-11s %-6s %6d  %-15s %-15s %-12s %-5.2f %s' "$command" "$name" "$bills" \
        "$(range "${plain_t[@]}") s" "$(range "${history_t[@]}") s" "$(range "${ratio[@]}")" "$best" "${digest:-}")")
}

run_kind() {
    local command=$1 file=$2 db=$3 kind
    plain=$data/$db history=$data/$db-history
    start_db "$plain" "$file" plain
    start_db "$history" "$file" history
    set_stats "$plain"
    set_stats "$history"
    echo "== $command: 10,000 schedules of 2026 without history, and with 1,000,000 older ones" \
        "($runs runs, $stats statistics)"
    for kind in "$command" $([[ $command == bills && $form == yes ]] && echo form); do
        run_period "$kind" 2026-06-01 2026-06-30 month
        run_period "$kind" 2026-01-01 2026-12-31 year
    done
    bash "$repo/scripts/db" stop "$plain" >/dev/null
    bash "$repo/scripts/db" stop "$history" >/dev/null
    started=()
}

summary=()
[[ $only == davp ]] || run_kind bills bills-data.sql benchdb
[[ $only == bills ]] || run_kind davp-bills davp-data.sql benchdb-davp
echo "-- over $runs runs: time without history, with history, their ratio run by run and the ratio of the"
echo "   fastest runs (target <= 1.2)"
printf '%-11s %-6s %6s  %-15s %-15s %-12s %-5s %s\n' run period bills "no history" history ratio best \
    "CSV SHA-256 (the same in both)"
printf '%s\n' "${summary[@]}"

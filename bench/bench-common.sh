# Shared by the generation benchmarks (bills-bench.sh, history-bench.sh); sourced, not run.

# The benchmark's clerk in the folder $1: the deployment file (unit KOC), the password, the per-user
# settings and the runtime folder of the offscreen form.
bench_environment() {
    printf '[Workstation]\nDefaultUnit=KOC\n' >"$1/selvoro.ini"
    export SELVORO_DEPLOYMENT=$1/selvoro.ini SELVORO_PASSWORD=pass2 XDG_CONFIG_HOME=$1
    export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$1/runtime
    mkdir -m 700 "$1/runtime"
}

# Gives the tables of the instance in the folder $1 the statistics ANALYZE TABLE makes, as a server
# that has been running a while has them: after a bulk load InnoDB may keep counts from before it
# (two agencies), which no program meets for long and which would mislead the floors' plans.
analyze_tables() {
    mariadb --no-defaults --socket="$1/sock" -uroot selvoro -e "ANALYZE TABLE advt_agencymaster, advt_clienttype,
        advt_subarea, advt_clientmaster, advt_ratemaster, acc_companymaster, advt_schedule, advt_scheduledetails,
        advt_sch_exchg" >/dev/null
}

now() { date +%s.%N; }
calc() { echo "$1" | bc -l; }

# Runs a command, its output in $work/out and its errors in $work/err, and sets elapsed (seconds)
# and peak (MB); a command that fails ends the benchmark with its errors.
timed() {
    local start
    start=$(now)
    /usr/bin/time -f '%M' -o "$work/peak" "$@" >"$work/out" 2>"$work/err" || {
        cat "$work/err" >&2
        echo "bench: $* failed" >&2
        exit 1
    }
    elapsed=$(calc "$(now) - $start")
    peak=$(calc "$(tail -1 "$work/peak") / 1024")
}
lines() { grep -c '' "$1" || true; }

# Range of the numbers in $@: "min-max" (or one number).
range() {
    printf '%s\n' "$@" | sort -g | awk 'NR == 1 {min = $1} {max = $1} END {
        if (min == max) printf "%.2f", min; else printf "%.2f-%.2f", min, max }'
}

# Shared by the generation benchmarks (bills-bench.sh, history-bench.sh); sourced, not run.

# The benchmark's clerk in the folder $1: the deployment file (unit KOC), the password, the per-user
# settings and the runtime folder of the offscreen form.
bench_environment() {
    printf '[Workstation]\nDefaultUnit=KOC\n' >"$1/selvoro.ini"
    export SELVORO_DEPLOYMENT=$1/selvoro.ini SELVORO_PASSWORD=pass2 XDG_CONFIG_HOME=$1
    export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$1/runtime
    mkdir -m 700 "$1/runtime"
}

now() { date +%s.%N; }
calc() { echo "$1" | bc -l; }
lines() { grep -c '' "$1" || true; }

# Range of the numbers in $@: "min-max" (or one number).
range() {
    printf '%s\n' "$@" | sort -g | awk 'NR == 1 {min = $1} {max = $1} END {
        if (min == max) printf "%.2f", min; else printf "%.2f-%.2f", min, max }'
}

#!/usr/bin/env bash
# Generation benchmark across a slow network. Loads 10,000 billed schedules (bench/bills-data.sql)
# and 10,000 DAVP schedules (bench/davp-data.sql) into private MariaDB instances, puts delayproxy
# (bench/delayproxy.cpp) in front of them, holding every chunk DELAY ms in each direction, and
# prints for each run, all through the proxy:
#   - selvoro-cli bills and selvoro-cli davp-bills: time, statements (the server's Com_select),
#     round trips (the client's turns, counted by the proxy) and peak memory;
#   - the client floor of the statements generation used to send one by one (the main query and,
#     per bill, the agency, client and pages look-ups; for DAVP agency, pages and rate master),
#     sent by the mariadb client in one session;
#   - the one-statement floor: one SELECT joining the same look-ups, bringing the same data once;
#   - the bill print form with its view (offscreen, bench/form_bench.cpp) running Show;
#   - start-up and login (selvoro-cli check): time, statements and round trips;
# then the ranges over the runs, the SHA-256 of the CSV the program wrote (the same in every run),
# and the ratios against the targets: bills and davp-bills (start-up and login included) <= 1.5 x
# the one-statement floor at 0 and 1 ms and <= 2.5 x at 15 ms; the form <= 1.7 x the one-statement
# floor at 1 ms; peak memory < 300 MB. The round trips of a generation do not grow with its bills.
#
# Usage: bench/bills-bench.sh [--build DIR] [--delay MS] [--runs N] [--only bills|davp] [--sample N]
#                             [--floor-sample N] [--no-form]
#   --build   an optimized build (default build-rel: cmake -S . -B build-rel -G Ninja
#             -DCMAKE_BUILD_TYPE=Release && cmake --build build-rel --target selvoro-cli form_bench delayproxy)
#   --delay   one-way delay in milliseconds (default 0; 1 is a 2 ms round trip)
#   --runs    runs of each measurement (default 3)
#   --sample  time only the first N bills of the programs and N look-ups of the client floor and
#             scale up to 10,000 (printed as estimates), for settings where a whole run of
#             per-bill statements would take too long
#   --floor-sample  the same for the client floor only
#   --no-form  leave out the form (a form_bench that cannot run a sample)
# The benchmark's MariaDB instances live in DIR/benchdb and DIR/benchdb-davp and are stopped at the end.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$repo/build-rel delay=0 runs=3 only= sample=0 floor_sample=0 form=yes
while [[ $# -gt 0 ]]; do
    case $1 in
    --build) build=$(cd "$2" && pwd); shift 2 ;;
    --delay) delay=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --only) only=$2; shift 2 ;;
    --sample) sample=$2 floor_sample=$2; shift 2 ;;
    --floor-sample) floor_sample=$2; shift 2 ;;
    --no-form) form=no; shift ;;
    *) echo "usage: bench/bills-bench.sh [--build DIR] [--delay MS] [--runs N] [--only bills|davp] [--sample N]" \
            "[--floor-sample N] [--no-form]" >&2
       exit 2 ;;
    esac
done
cli=$build/bin/selvoro-cli form_bench=$build/bin/form_bench proxy=$build/bin/delayproxy
for program in "$cli" "$form_bench" "$proxy"; do
    [[ -x $program ]] || { echo "bench: build $(basename "$program") first ($program)" >&2; exit 2; }
done

work=$(mktemp -d)
dir= proxy_pid=
cleanup() {
    [[ -z $proxy_pid ]] || kill "$proxy_pid" 2>/dev/null || true
    [[ -z $dir ]] || bash "$repo/scripts/db" stop "$dir" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

source "$repo/bench/bench-common.sh"
bench_environment "$work"

root() { mariadb --no-defaults --socket="$dir/sock" -uroot selvoro "$@"; }
status() { root -N -e "SHOW GLOBAL STATUS LIKE 'Com_select'" | awk '{print $2}'; }

# The turns of connection number $1 (from 0); the proxy notes a connection once both sides closed.
turns() {
    local tries
    for ((tries = 0; tries < 200; tries++)); do
        (($(lines "$work/stats") > $1)) && break
        sleep 0.05
    done
    sed -n "$(($1 + 1))p" "$work/stats" | awk '{print $2}'
}

# Runs a command that opens one connection through the proxy; sets elapsed (seconds), peak (MB),
# selects (Com_select) and trips (round trips).
measure() {
    local before_selects before_connections
    before_selects=$(status) before_connections=$(lines "$work/stats")
    timed "$@"
    selects=$(($(status) - before_selects))
    trips=$(turns "$before_connections")
}

start_set() {
    local data=$1
    dir=$2
    bash "$repo/scripts/db" start "$dir" >/dev/null
    local count
    count=$(root -N -e "SELECT COUNT(*) FROM advt_schedule" 2>/dev/null || echo 0)
    if [[ $count != 10000 ]]; then
        echo "loading 10,000 schedules ($data)..."
        mariadb --no-defaults --socket="$dir/sock" -uroot \
            -e "DROP DATABASE IF EXISTS selvoro; CREATE DATABASE selvoro CHARACTER SET utf8mb4;"
        { cat "$repo/db/schema.sql"; cat "$repo/bench/$data"; } | root
    fi
    analyze_tables "$dir"
    rm -f "$work/stats" "$work/proxy-port"
    touch "$work/stats"
    "$proxy" "$(<"$dir/port")" "$delay" "$work/proxy-port" "$work/stats" &
    proxy_pid=$!
    while [[ ! -s $work/proxy-port ]]; do sleep 0.05; done
    # The mariadb client through the proxy, as the program's loopback account.
    client=(mariadb --no-defaults -h127.0.0.1 -P"$(<"$work/proxy-port")" -uroot "-p'6309'" selvoro)
    proxy_port=$(<"$work/proxy-port")
}

stop_set() {
    kill "$proxy_pid" 2>/dev/null || true
    wait "$proxy_pid" 2>/dev/null || true
    proxy_pid=
    bash "$repo/scripts/db" stop "$dir" >/dev/null
    dir=
}

# The statements of one generation as the program used to send them (the main query, then each
# bill's look-ups), and the one SELECT that brings the same data once.
gst_main="Select advt_schedule.*,group_no_of_bills,group_bp_type,group_show_comm,group_show_address,agency_bill_colcms,agency_type from advt_schedule inner join  advt_agencymaster on agency_code=sch_agency_code  inner join advt_clienttype on agency_type=group_code  where advt_schedule.unit_code='KOC' and sch_bill_no<>'' and sch_ins_date>='2026-01-01' and sch_ins_date<='2026-12-31' and  group_no_of_bills >0 and sch_net_total >0 Group by sch_bill_no "
davp_main="Select advt_schedule.*,group_no_of_bills,group_show_comm,group_show_address from advt_schedule inner join  advt_agencymaster on agency_code=sch_agency_code  inner join advt_clienttype on agency_type=group_code  where advt_schedule.unit_code='KOC' and sch_bill_no<>'' and sch_ins_date>='2026-01-01' and sch_ins_date<='2026-12-31' and sch_agency_code='010590' and  group_no_of_bills >0 and sch_net_total >0 Group by sch_bill_no "

write_statements() {
    local kind=$1
    if [[ $kind == bills ]]; then
        {
            echo "Select * from acc_companymaster where comp_code in ('SV','SX');"
            echo "$gst_main Order by sch_ins_date,sch_bill_no;"
            root -N --raw -e "SELECT CONCAT_WS('\n',
                CONCAT('Select agency_name,agency_add1,agency_add2,agency_add3,sub_name,agency_bill_colcms,agency_gstin,agency_pan from advt_agencymaster inner join advt_subarea on agency_subarea=sub_code where agency_code=', QUOTE(sch_agency_code), ';'),
                IF(sch_gst_type = 1, CONCAT('SELECT client_gstin, client_pan FROM advt_clientmaster WHERE client_code = ', QUOTE(sch_client_code), ';'), NULL),
                CONCAT('SELECT group_concat(distinct(sdet_page)) FROM advt_scheduledetails where sdet_sch_code=', QUOTE(sch_slno), ' and unit_code=', QUOTE(LEFT(sch_slno, 3)), ';'))
                FROM ($gst_main) m ORDER BY sch_ins_date, sch_bill_no"
        } >"$work/statements.sql"
        cat >"$work/one.sql" <<EOF
Select m.*, a.agency_name, a.agency_add1, a.agency_add2, a.agency_add3, a.sub_name, a.agency_bill_colcms,
       a.agency_gstin, a.agency_pan, c.client_gstin, c.client_pan, p.pages
from ($gst_main) m
left join (Select agency_code, agency_name, agency_add1, agency_add2, agency_add3, sub_name, agency_bill_colcms,
                  agency_gstin, agency_pan
           from advt_agencymaster inner join advt_subarea on agency_subarea=sub_code) a on a.agency_code = m.sch_agency_code
left join advt_clientmaster c on m.sch_gst_type = 1 and c.client_code = m.sch_client_code
left join (SELECT sdet_sch_code, unit_code, group_concat(distinct(sdet_page)) pages FROM advt_scheduledetails
           group by sdet_sch_code, unit_code) p on p.sdet_sch_code = m.sch_slno and p.unit_code = left(m.sch_slno, 3)
order by m.sch_ins_date, m.sch_bill_no;
EOF
    else
        {
            echo "$davp_main Order by sch_ins_date,sch_bill_no;"
            root -N --raw -e "SELECT CONCAT_WS('\n',
                CONCAT('Select agency_name,agency_add1,agency_add2,agency_add3,sub_name from advt_agencymaster inner join advt_subarea on agency_subarea=sub_code where agency_code=', QUOTE(sch_agency_code), ';'),
                CONCAT('SELECT group_concat(distinct(sdet_page)) FROM advt_scheduledetails where sdet_sch_code=', QUOTE(sch_slno), ';'),
                CONCAT('Select rate_davp_code,rate_place from advt_ratemaster where rate_code=', QUOTE(sch_ratecode), ';'))
                FROM ($davp_main) m ORDER BY sch_ins_date, sch_bill_no"
        } >"$work/statements.sql"
        cat >"$work/one.sql" <<EOF
Select m.*, a.agency_name, a.agency_add1, a.agency_add2, a.agency_add3, a.sub_name, p.pages, r.rate_davp_code, r.rate_place
from ($davp_main) m
left join (Select agency_code, agency_name, agency_add1, agency_add2, agency_add3, sub_name
           from advt_agencymaster inner join advt_subarea on agency_subarea=sub_code) a on a.agency_code = m.sch_agency_code
left join (SELECT sdet_sch_code, group_concat(distinct(sdet_page)) pages FROM advt_scheduledetails
           group by sdet_sch_code) p on p.sdet_sch_code = m.sch_slno
left join advt_ratemaster r on r.rate_code = m.sch_ratecode
order by m.sch_ins_date, m.sch_bill_no;
EOF
    fi
}

# The first bill numbers of a run restricted to `sample` bills.
sample_bill_to() { root -N -e "SELECT MAX(b) FROM (SELECT sch_bill_no b FROM advt_schedule ORDER BY sch_bill_no LIMIT $sample) s"; }

run_set() {
    local kind=$1 command=$1 scale=1 sample_args=() form_args=()
    [[ $kind == davp ]] && command=davp-bills
    write_statements "$kind"
    local lookups=$(($(lines "$work/statements.sql") - 1))
    [[ $kind == bills ]] && lookups=$((lookups - 1))
    if ((sample > 0)); then
        local bill_to
        bill_to=$(sample_bill_to)
        sample_args=(--bill-to "$bill_to")
        form_args=("$bill_to")
        scale=$(calc "10000 / $sample")
    fi
    local -a cli_t cli_s cli_r cli_m floor_t one_t form_t form_r form_m start_t start_s start_r ratio_one ratio_floor form_ratio
    local digest=
    echo "== $command, ${delay} ms each way, $runs runs$( ((sample > 0)) && printf ", %d bills timed and scaled x%.0f" "$sample" "$scale")"
    for ((run = 1; run <= runs; run++)); do
        measure "$cli" "$command" --server 127.0.0.1 --port "$proxy_port" --user clerk --from 2026-01-01 \
            --to 2026-12-31 "${sample_args[@]}" --csv "$work/grid.csv"
        cli_t+=("$(calc "$elapsed * $scale")") cli_s+=("$selects") cli_r+=("$trips") cli_m+=("$peak")
        local bills=$(($(lines "$work/grid.csv") - 4)) run_digest
        run_digest=$(sha256sum <"$work/grid.csv" | cut -c1-64)
        [[ -z $digest || $digest == "$run_digest" ]] || { echo "bench: the CSV differs between runs" >&2; exit 1; }
        digest=$run_digest

        if ((floor_sample > 0)); then
            # The main query alone, then the first `floor_sample` look-ups, scaled to all of them.
            head -n "$(($(lines "$work/statements.sql") - lookups))" "$work/statements.sql" >"$work/main.sql"
            measure "${client[@]}" <"$work/main.sql"
            local main_time=$elapsed
            local first=$(($(lines "$work/statements.sql") - lookups + 1))
            sed -n "${first},$((first + floor_sample - 1))p" "$work/statements.sql" >"$work/sample.sql"
            measure "${client[@]}" <"$work/sample.sql"
            floor_t+=("$(calc "$main_time + $elapsed * $lookups / $floor_sample")")
        else
            measure "${client[@]}" <"$work/statements.sql"
            floor_t+=("$elapsed")
        fi
        measure "${client[@]}" <"$work/one.sql"
        one_t+=("$elapsed")
        ratio_one+=("$(calc "${cli_t[-1]} / ${one_t[-1]}")") ratio_floor+=("$(calc "${cli_t[-1]} / ${floor_t[-1]}")")

        if [[ $kind == bills && $form == yes ]]; then
            measure "$form_bench" "$proxy_port" "${form_args[@]}"
            read -r seconds form_bills <"$work/out"
            form_t+=("$(calc "$seconds * $scale")") form_r+=("$trips") form_m+=("$peak")
            form_ratio+=("$(calc "${form_t[-1]} / ${one_t[-1]}")")
        fi
        measure "$cli" check --server 127.0.0.1 --port "$proxy_port" --user clerk
        start_t+=("$elapsed") start_s+=("$selects") start_r+=("$trips")
        printf 'run %d: %s %.2f s (%d bills, %d statements, %d round trips, %.0f MB); client floor %.2f s; one statement %.2f s' \
            "$run" "$command" "${cli_t[-1]}" "$bills" "${cli_s[-1]}" "${cli_r[-1]}" "${cli_m[-1]}" "${floor_t[-1]}" "${one_t[-1]}"
        [[ $kind == bills && $form == yes ]] &&
            printf '; form %.2f s (%d round trips, %.0f MB)' "${form_t[-1]}" "${form_r[-1]}" "${form_m[-1]}"
        printf '; start-up and login %.3f s\n' "${start_t[-1]}"
    done
    echo "-- $command over $runs runs (${delay} ms each way)"
    printf '%-34s %s s, %s statements, %s round trips, peak %s MB\n' "selvoro-cli $command" "$(range "${cli_t[@]}")" \
        "$(range "${cli_s[@]}" | sed 's/\.00//g')" "$(range "${cli_r[@]}" | sed 's/\.00//g')" "$(range "${cli_m[@]}")"
    printf '%-34s %s s (%d statements%s)\n' "client floor, one by one" "$(range "${floor_t[@]}")" "$((lookups + 1))" \
        "$( ((floor_sample > 0)) && echo ", estimated from $floor_sample")"
    printf '%-34s %s s\n' "one-statement floor" "$(range "${one_t[@]}")"
    printf '%-34s %s (target <= 1.5 at 0 and 1 ms, <= 2.5 at 15 ms)\n' "$command / one-statement floor" \
        "$(range "${ratio_one[@]}")"
    printf '%-34s %s\n' "$command / client floor" "$(range "${ratio_floor[@]}")"
    printf '%-34s %s\n' "CSV SHA-256" "$digest"
    if [[ $kind == bills && $form == yes ]]; then
        printf '%-34s %s s, %s round trips, peak %s MB\n' "form Show (offscreen)" "$(range "${form_t[@]}")" \
            "$(range "${form_r[@]}" | sed 's/\.00//g')" "$(range "${form_m[@]}")"
        printf '%-34s %s (target <= 1.7 at 1 ms)\n' "form / one-statement floor" "$(range "${form_ratio[@]}")"
    fi
    printf '%-34s %s s, %s statements, %s round trips (connection included)\n' "start-up and login" \
        "$(range "${start_t[@]}")" "$(range "${start_s[@]}" | sed 's/\.00//g')" "$(range "${start_r[@]}" | sed 's/\.00//g')"
}

if [[ $only != davp ]]; then
    start_set bills-data.sql "$build/benchdb"
    run_set bills
    stop_set
fi
if [[ $only != bills ]]; then
    start_set davp-data.sql "$build/benchdb-davp"
    run_set davp
    stop_set
fi

#!/usr/bin/env bash
# tools/soak.sh N: runs the whole test suite N times (default 6) and prints
# every test that failed at least once, with how often. Every second run
# has every core kept busy by a load that this script starts and ends
# itself, so that tests which hang on timing show up.
#   SOAK_PARALLEL  tests run side by side (default 3)
#   SOAK_BUILD     build folder (default build); it is brought up to date first
# The output of each run is kept in <build>/soak/run-<i>.log.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/setup.sh
runs=${1:-6}
dir=${SOAK_BUILD:-build}
parallel=${SOAK_PARALLEL:-3}
build "$dir" >/dev/null
mkdir -p "$dir/soak"
rm -f "$dir"/soak/run-*.log

load=()
start_load() {
    for _ in $(seq "$(nproc)"); do
        ( trap 'exit 0' TERM; while :; do :; done ) &
        load+=($!)
    done
}
stop_load() {
    [ ${#load[@]} -eq 0 ] && return 0
    kill "${load[@]}" 2>/dev/null || true
    wait "${load[@]}" 2>/dev/null || true
    load=()
}
trap stop_load EXIT

declare -A failed=()
for i in $(seq "$runs"); do
    busy=no
    if [ $((i % 2)) -eq 0 ]; then
        busy=yes
        start_load
    fi
    log="$dir/soak/run-$i.log"
    rm -f "$dir/Testing/Temporary/LastTestsFailed.log"
    ctest --test-dir "$dir" --output-on-failure --parallel "$parallel" > "$log" 2>&1 || true
    stop_load
    names=()
    if [ -f "$dir/Testing/Temporary/LastTestsFailed.log" ]; then
        while IFS=: read -r _ name; do
            names+=("$name")
            failed[$name]=$(( ${failed[$name]:-0} + 1 ))
        done < "$dir/Testing/Temporary/LastTestsFailed.log"
    fi
    echo "run $i of $runs (load on every core: $busy): $(grep -Eo '[0-9]+% tests passed.*' "$log" || echo 'no result')${names[*]:+; failed: ${names[*]}}"
done

if [ ${#failed[@]} -eq 0 ]; then
    echo "soak: no test failed in $runs runs"
    exit 0
fi
echo "soak: tests that failed in $runs runs:"
for name in "${!failed[@]}"; do
    echo "  $name: ${failed[$name]} of $runs"
done | sort
exit 1

#!/usr/bin/env bash
# Inputs per second of fuzz targets: each runs for a while on a fresh
# working corpus grown from its seeds in tests/fuzz/corpus, and libFuzzer's
# own final statistics give the rate. Run by `make bench-fuzz` with the
# sanitizer options of `make fuzz`; logs stay in FUZZ_BUILD/fuzzrate.
#
# Usage: bench/fuzzrate.sh FUZZ_BUILD SECONDS TARGET...
set -uo pipefail

readonly GOAL=1000

[[ $# -ge 3 ]] || { echo "usage: $0 FUZZ_BUILD SECONDS TARGET..." >&2; exit 2; }
build=$(cd "$1" && pwd) || exit 1
seconds=$2
shift 2
seeds=$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/fuzz/corpus" && pwd) || exit 1
logs=$build/fuzzrate
rm -rf "$logs"
mkdir -p "$logs"

stat() {
    sed -n "s/^stat::$1:[[:space:]]*//p" "$2" | tail -n 1
}

rows=()
for target in "$@"; do
    fuzzer=$build/tests/fuzz/fuzz_$target
    log=$logs/$target.log
    mkdir -p "$logs/corpus-$target"
    echo "fuzz throughput: $target for $seconds s" >&2
    # The subshell keeps the shell's own word on a crashed fuzzer out of the table.
    ("$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 -timeout=10 \
        -artifact_prefix="$logs/$target-" "$logs/corpus-$target" "$seeds/$target" >"$log" 2>&1) 2>/dev/null
    status=$?
    rate=$(stat average_exec_per_sec "$log")
    note="goal >= $GOAL/s"
    if [[ -z $rate ]]; then
        note="no statistics (exit status $status): see $log"
    elif [[ $status -ne 0 ]]; then
        note="stopped early by a finding: see $log"
    fi
    if [[ -n $rate && $rate -lt $GOAL ]]; then
        note="$note; BELOW GOAL"
    fi
    rows+=("$(printf '%-14s %9s %9s %8s %9s  %s' "fuzz_$target" "${rate:--}" \
        "$(stat number_of_executed_units "$log")" "$(find "$logs/corpus-$target" -type f | wc -l)" \
        "$(stat peak_rss_mb "$log") MiB" "$note")")
done

printf '\nfuzz throughput: %s s a target from its seeds, ASan+UBSan+libFuzzer build; goal >= %s inputs/s\n' \
    "$seconds" "$GOAL"
printf '%-14s %9s %9s %8s %9s  %s\n' target inputs/s inputs "new units" "peak RSS" note
printf '%s\n' "--------------------------------------------------------------------------------"
printf '%s\n' "${rows[@]}"

#!/usr/bin/env bash
# Runs the fuzz targets one after another, each for SECONDS, on its committed
# seed corpus (fuzz/corpus/TARGET, only read) and a working corpus of the
# build tree, which later runs go on from.
#   fuzz/run.sh SECONDS [TARGET...]     all targets of $FUZZ_BUILD/bin when none is named
# FUZZ_BUILD is the tree configured with -DTINTORA_FUZZ=ON (default build-sanitize);
# extra libFuzzer options can be given in FUZZ_OPTIONS (for instance -jobs=4).
# A finding stops its target; the input is kept in $FUZZ_BUILD/fuzz-findings
# and the script exits with status 1 after the other targets have run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
build=$(cd "${FUZZ_BUILD:-$root/build-sanitize}" && pwd)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for binary in "$build"/bin/fuzz_*; do
        targets+=("$(basename "$binary")")
    done
fi

findings=$build/fuzz-findings
mkdir -p "$findings"
status=0
for name in "${targets[@]}"; do
    work=$build/fuzz-work/$name
    mkdir -p "$work"
    # A generous timeout: on a busy machine a slow input is not yet a hang.
    options=(-max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 -print_final_stats=1
             -artifact_prefix="$findings/$name-")
    [ -f "$root/fuzz/dict/$name.dict" ] && options+=(-dict="$root/fuzz/dict/$name.dict")
    log=$findings/$name.log
    # shellcheck disable=SC2086
    if "$build/bin/$name" "${options[@]}" ${FUZZ_OPTIONS:-} "$work" "$root/fuzz/corpus/$name" \
        >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
        rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
        echo "$name: no finding in ${seconds} s, ${runs:-?} runs, ${rate:-?} runs/s"
    else
        echo "$name: FINDING, see $log and $findings/$name-*"
        grep -E 'ERROR|does not hold|SUMMARY|runtime error' "$log" | head -5 || true
        status=1
    fi
done
exit $status

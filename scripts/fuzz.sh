#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan/UBSan; the fuzz preset) and runs each
# in turn on its seeds in fuzz/corpus/<name>/, new inputs going to build/fuzz/corpus/.
# Prints executions and crashes per target; fails when any target crashed.
#   scripts/fuzz.sh                      a few seconds each (what scripts/test.sh runs)
#   scripts/fuzz.sh -runs=10000000       any libFuzzer options instead
#   FUZZ_TARGETS="find_text filter" scripts/fuzz.sh ...   some targets only
#   FUZZ_WORK=build/fuzz/other scripts/fuzz.sh ...         new inputs, crashes and logs there
set -euo pipefail
cd "$(dirname "$0")/.."
options=("$@")
[ ${#options[@]} -gt 0 ] || options=(-max_total_time=5)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null
out=build/fuzz
targets=${FUZZ_TARGETS:-$(cat "$out/fuzz_targets.txt")}
scratch=${FUZZ_WORK:-$out}

failed=0
for name in $targets; do
    work="$scratch/corpus/$name" artifacts="$scratch/artifacts/$name" log="$scratch/logs/$name.log"
    mkdir -p "$work" "$artifacts" "$(dirname "$log")"
    rm -f "$artifacts"/*
    start=$(date +%s)
    rc=0
    "$out/fuzz/fuzz_$name" -print_final_stats=1 -timeout=10 "${options[@]}" \
        -artifact_prefix="$artifacts/" "$work" "fuzz/corpus/$name" >"$log" 2>&1 || rc=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    [ -n "$runs" ] || runs=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#')
    crashes=$(find "$artifacts" -type f | wc -l)
    printf '%-18s %12s executions  %d crashes  %4ds\n' "$name" "${runs:-?}" "$crashes" \
        "$(($(date +%s) - start))"
    if [ "$rc" -ne 0 ] || [ "$crashes" -ne 0 ]; then
        failed=1
        echo "fuzz: $name failed (exit $rc); its input is in $artifacts, the log in $log:" >&2
        grep -A25 -m1 -E '^==[0-9]+==|runtime error|property failed' "$log" >&2 || tail -30 "$log" >&2
    fi
done
exit $failed

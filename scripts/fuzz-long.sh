#!/usr/bin/env bash
# The long campaign: ten million executions of every fuzz target, one after the other
# (about half an hour on two cores). Prints executions and crashes per target.
set -euo pipefail
cd "$(dirname "$0")/.."
# Apart from the short runs' files, so that the tests can run meanwhile.
export FUZZ_WORK=${FUZZ_WORK:-build/fuzz/long}
exec scripts/fuzz.sh -runs="${FUZZ_RUNS:-10000000}" "$@"

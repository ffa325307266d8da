#!/usr/bin/env bash
# fuzz.sh BUILD_DIR TARGET SECONDS: replays the committed corpus, then fuzzes for SECONDS.
set -euo pipefail
build=$1 target=$2 seconds=$3
root=$(cd "$(dirname "$0")/.." && pwd)
corpus=$root/fuzz/corpus/$target
work=$build/corpus/$target
mkdir -p "$work"
# An input that runs for 10 s is a failure of its own (a loop), not a wait for the test's limit.
"$build/$target" -runs=0 -timeout=10 "$corpus"
"$build/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=0 "$work" "$corpus" 2>&1 | tail -3

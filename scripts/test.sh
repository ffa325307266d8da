#!/usr/bin/env bash
# Builds everything and runs every test: the core under ASan/UBSan, the fuzz corpus, and the
# Windows side under Wine, for each Windows build this host can run (the 64-bit one everywhere,
# the 32-bit one where the host runs 32-bit code; FILORA_NO_32BIT=1 acts as if it did not).
# CTest's summary is the last thing printed; a test not run here says why on its line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
build=$root/build
# Every part on, whatever an earlier configure of this folder chose.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFILORA_FUZZ=ON -DFILORA_WINDOWS=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
source "$root/scripts/wine-env.sh"
filora_ensure_prefix
cd "$build"
not_run=$(cat "$build/win32-not-run.txt" 2>/dev/null || true)
ctest --output-on-failure "$@" | awk -v why="$not_run" '
  why != "" && /win32_/ && /(\*\*\*Skipped|\(Skipped\))/ {
    $0 = $0 (/release_zip/ ? "   (zip checked; FILORA.EXE not started: " : "   (not run: ") why ")" }
  { print; fflush() }'

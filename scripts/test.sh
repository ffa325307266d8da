#!/usr/bin/env bash
# Builds everything and runs every test: the core under ASan/UBSan, the fuzz corpus,
# and the Windows side under Wine. CTest's summary is the last thing printed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
build=$root/build
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
source "$root/scripts/wine-env.sh"
filora_ensure_prefix
cd "$build"
exec ctest --output-on-failure "$@"

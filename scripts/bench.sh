#!/usr/bin/env bash
# Builds the benchmarks, makes the benchmark trees (once) and runs them under Wine: the list
# operations, the scan, and the scale run (the journey on 100,000 and 400,000 files). They run on
# the 32-bit build where the host runs 32-bit code, else on the 64-bit one, and say which.
#   FILORA_NO_32BIT      1: the 64-bit build on any host
#   FILORA_WINEPREFIX    Wine prefix to use (as for the tests)
#   FILORA_BENCH_BUILD   cross build folder (default: build/bench32 or build/bench64 in the repository)
#   FILORA_BENCH_TREES   where the generated trees live (default: /tmp/filora-bench-trees)
#   FILORA_BENCH_ROUNDS  rounds of floor and FILORA, best kept (default: 2)
#   FILORA_BENCH_QUICK   set to skip timing the control's own column sizing (about 16 s)
#   FILORA_BENCH_SCALE   set to 0 to skip the scale run and its 400,000-file tree
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
if why=$(filora_host_runs_32bit); then
  bits=32 toolchain=mingw-i686.cmake
  echo "benchmarks: the 32-bit build"
else
  bits=64 toolchain=mingw-x86_64.cmake
  echo "benchmarks: the 64-bit build ($why)"
fi
build=${FILORA_BENCH_BUILD:-$root/build/bench$bits}
trees=${FILORA_BENCH_TREES:-/tmp/filora-bench-trees}
rounds=${FILORA_BENCH_ROUNDS:-2}

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target scan_bench listops_bench FILORA -j2 >/dev/null

# The programs in the trees are hard links to one copy, so a rebuild does not change the trees.
make_tree() {
  local dir=$1 files=$2 folders=$3
  local args="--files $files --folders $folders --depth 6 --seed 1"
  if [ "$(cat "$dir.args" 2>/dev/null)" != "$args" ]; then
    echo "making $dir ($files files in $folders folders)" >&2
    python3 "$root/bench/make_tree.py" "$dir" $args --exe "$trees/programs/FILORA.EXE" >&2
    echo "$args" >"$dir.args"
  fi
}
mkdir -p "$trees/programs"
[ -f "$trees/programs/FILORA.EXE" ] || cp "$build/bin/FILORA.EXE" "$trees/programs/FILORA.EXE"
make_tree "$trees/t100k" 100000 5000
make_tree "$trees/t20k" 20000 1000
scale=${FILORA_BENCH_SCALE:-1}
[ "$scale" = 0 ] || make_tree "$trees/t400k" 400000 20000

# A benchmark runs for minutes, longer than wine-run.sh gives a test program by default.
export FILORA_RUN_TIMEOUT=${FILORA_RUN_TIMEOUT:-3600}
winpath() { echo "Z:${1//\//\\}"; }
if [ "$bits" = 32 ]; then
  headers=$(objdump -p "$build/bin/FILORA.EXE")
  if grep -q 'large address aware' <<<"$headers"; then echo "FILORA.EXE: large address aware"; else echo "FILORA.EXE: NOT large address aware"; fi
fi
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), load $(cut -d' ' -f1-3 /proc/loadavg)"
if [ -z "${FILORA_BENCH_QUICK:-}" ]; then export SCAN_BENCH_CONTROL_WIDTHS=1; fi
status=0
"$root/scripts/wine-run.sh" "$build/bin/listops_bench.exe" || status=1
"$root/scripts/wine-run.sh" "$build/bin/scan_bench.exe" "$(winpath "$trees/t100k")" "$(winpath "$trees/t20k")" "$rounds" || status=1
if [ "$scale" != 0 ]; then
  # The floor and the journey of each tree, each in a process of its own and each started with
  # the tree out of the page cache, round after round; then the report of the best rounds.
  results=$(mktemp -d)
  scaled=(t100k t400k)
  for round in $(seq "$rounds"); do
    for t in "${!scaled[@]}"; do
      tree=$trees/${scaled[$t]}
      for what in floor journey; do
        python3 "$root/bench/evict_tree.py" "$tree"
        "$root/scripts/wine-run.sh" "$build/bin/scan_bench.exe" "--$what" "$(winpath "$tree")" \
          "$(winpath "$results/$t-$round.$what")" || status=1
      done
    done
  done
  reported=()
  for t in "${scaled[@]}"; do reported+=("$(winpath "$trees/$t")"); done
  "$root/scripts/wine-run.sh" "$build/bin/scan_bench.exe" --scale "$(winpath "$results")" "$rounds" "${reported[@]}" ||
    status=1
  rm -rf "$results"
fi
echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status

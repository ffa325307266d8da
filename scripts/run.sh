#!/usr/bin/env bash
# Builds FILORA.EXE and starts it under Wine on the user's display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no X display (DISPLAY is not set). FILORA is a window program: run this from a" >&2
  echo "desktop session, or start a virtual one first, e.g. 'Xvfb :1 & export DISPLAY=:1'." >&2
  exit 1
fi
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -DFILORA_FUZZ=OFF >/dev/null
cmake --build "$root/build" --target win -j"$(nproc)"
source "$root/scripts/wine-env.sh"
filora_ensure_prefix
exec wine "$root/build/win/bin/FILORA.EXE"

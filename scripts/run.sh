#!/usr/bin/env bash
# Builds FILORA.EXE and starts it under Wine on the user's display: the 32-bit exe where the host
# runs 32-bit code, else its 64-bit twin (FILORA_NO_32BIT=1 chooses the 64-bit one anywhere).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no X display (DISPLAY is not set). FILORA is a window program: run this from a" >&2
  echo "desktop session, or start a virtual one first, e.g. 'Xvfb :1 & export DISPLAY=:1'." >&2
  exit 1
fi
bash "$root/scripts/setup.sh"
source "$root/scripts/wine-env.sh"
if why=$(filora_host_runs_32bit); then
  arch=win32
  echo "run.sh: starting the 32-bit FILORA.EXE"
else
  arch=win64
  echo "run.sh: starting the 64-bit FILORA.EXE ($why)"
fi
cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" --target "$arch" -j"$(nproc)"
filora_ensure_prefix
exec "$(filora_loader "$root/build/$arch/bin/FILORA.EXE")" "$root/build/$arch/bin/FILORA.EXE"

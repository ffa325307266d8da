#!/usr/bin/env bash
# Runs one Windows program under Wine and returns its exit code. Its output goes through a file:
# Wine's background services inherit the handles and would otherwise keep a caller's pipe open.
set -u
source "$(dirname "$0")/wine-env.sh"
filora_start_xvfb || exit 1
trap filora_stop_xvfb EXIT
filora_ensure_prefix
out=$(mktemp)
# A program that hangs fails with its name instead of holding the run until CTest gives up.
limit=${FILORA_RUN_TIMEOUT:-120}
timeout -k 5 "$limit" "$(filora_loader "$1")" "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
if [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
  echo "TIMED OUT after ${limit} s: $*"
  wineserver -k >/dev/null 2>&1 || true
fi
rm -f "$out"
exit $rc

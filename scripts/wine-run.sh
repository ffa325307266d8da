#!/usr/bin/env bash
# Runs one Windows program under Wine and returns its exit code. Its output goes through a file:
# Wine's background services inherit the handles and would otherwise keep a caller's pipe open.
set -u
source "$(dirname "$0")/wine-env.sh"
filora_start_xvfb || exit 1
trap filora_stop_xvfb EXIT
filora_ensure_prefix
out=$(mktemp)
wine "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc

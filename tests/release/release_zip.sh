#!/usr/bin/env bash
# The release zip as a user gets it: packed, unpacked into an empty folder, checked against its
# SHA256SUMS and for the machine its name promises, started there once with no settings file and
# closed, leaving the default settings. FILORA_NOT_STARTED=REASON: the host cannot run this exe;
# the zip is checked, then the test ends as skipped (77) with the reason.
set -u
win=${1:?usage: $0 WIN_BUILD_DIR PACKAGE_NAME} name=${2:?usage: $0 WIN_BUILD_DIR PACKAGE_NAME}
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
work=$(mktemp -d /tmp/filora-release.XXXXXX) pid=
trap 'wineserver -k >/dev/null 2>&1; filora_stop_xvfb; rm -rf "$work"' EXIT
fail() { echo "release_zip: FAIL: $*" >&2; exit 1; }
check() { "${@:2}" || fail "$1"; echo "release_zip: ok: $1"; }
wait_for() { for ((i = 0; i < $1 * 10; i++)); do "${@:2}" && return; sleep 0.1; done; false; }

check "package_zip builds within 240 s" timeout 240 cmake --build "$win" --target package_zip --parallel 2
check "$name.zip unpacks into an empty folder" unzip -q "$win/$name.zip" -d "$work"
cd "$work/$name" || fail "the zip has no folder $name"
check "it holds FILORA.EXE, SHA256SUMS, README.md and the pictures README.md shows, nothing else" \
  [ "$(find . -type f | sort)" = "$(printf '%s\n' ./FILORA.EXE ./SHA256SUMS ./README.md \
    $(grep -o 'docs/[A-Za-z0-9_-]*\.png' README.md | sed 's|^|./|') | sort -u)" ]
no_debug() { ! objdump -h FILORA.EXE | grep -q ' \.debug'; }
check "FILORA.EXE ($(stat -c %s FILORA.EXE) bytes) has no .debug section" no_debug
check "FILORA.EXE matches SHA256SUMS" sha256sum --quiet -c SHA256SUMS
# FILORA-1.22-x64.zip holds the exe for 64-bit Windows (x86-64), FILORA-1.22.zip the one for 32-bit (i386).
# Windows refuses to start an exe whose manifest asks for another machine's common controls.
machine=i386 arch=x86 suffix= && [[ $name == *-x64 ]] && machine=x86_64 arch=amd64 suffix=-x64
check "FILORA.EXE is built for $machine" [ "$(filora_pe_machine FILORA.EXE)" = "$machine" ]
manifest_arch() { [ "$(strings -a FILORA.EXE | grep -o 'processorArchitecture="[^"]*"' | sort -u)" = "processorArchitecture=\"$arch\"" ]; }
check "its manifest names $arch for itself and for the common controls" manifest_arch
# FileVersion "1.22.00" is FILORA-1.22; "1.22.01" would be FILORA-1.22.1.
ver=$(strings -a -el FILORA.EXE | grep -A1 -x FileVersion | tail -n1)
check "the zip is named after the exe's FileVersion $ver" \
  [ "FILORA-$(awk -F. '{ printf "%d.%d", $1, $2; if ($3 + 0) printf ".%d", $3 }' <<<"$ver")$suffix" = "$name" ]
if [ -n "${FILORA_NOT_STARTED:-}" ]; then
  echo "release_zip: not started: ${FILORA_NOT_STARTED}"
  exit 77
fi

unset DISPLAY && filora_start_xvfb || fail "no X display" # a private one, never the caller's own screen
filora_ensure_prefix
wineserver -k >/dev/null 2>&1 # a session from elsewhere would keep its desktop on another display
(exec "$(filora_loader FILORA.EXE)" FILORA.EXE >"$work/wine.log" 2>&1 </dev/null) & pid=$!
has_window() { [ -n "$(xdotool search --name '^FILORA$' 2>/dev/null)" ]; }
check "a window titled FILORA opens within 90 s" wait_for 90 has_window
sleep 1.5 # the first paint
xdotool key alt+F4
ended() { ! kill -0 "$pid" 2>/dev/null; }
check "Alt+F4 ends FILORA within 30 s" wait_for 30 ended
want=$(printf '%s\n' '[OPTION]' 'FILTER=*.*' SUB=1 AUTO=0 DELETE=1 LEFT=0 TOP=0 RIGHT=640 BOTTOM=480 DIR1= \
  COLOR=15138815 $(seq -f 'COLMN%02g=100' 1 17) | sort)
check "FILORA.INI beside the exe holds the defaults" diff <(echo "$want") <(tr -d '\r' <FILORA.INI | sort)

#!/usr/bin/env bash
# The release zip as a user gets it: packed, unpacked into an empty folder, checked against its
# SHA256SUMS, started there once with no settings file and closed, leaving the default settings.
set -u
win=${1:?usage: $0 WIN_BUILD_DIR PACKAGE_NAME} name=${2:?usage: $0 WIN_BUILD_DIR PACKAGE_NAME}
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env.sh"
work=$(mktemp -d /tmp/filora-release.XXXXXX) pid=
# This prefix's Wine session (FILORA with it), the private display, and the folder.
trap 'wineserver -k >/dev/null 2>&1; filora_stop_xvfb; rm -rf "$work"' EXIT
fail() { echo "release_zip: FAIL: $*" >&2; exit 1; }
check() { "${@:2}" || fail "$1"; echo "release_zip: ok: $1"; }
wait_for() { for ((i = 0; i < $1 * 10; i++)); do "${@:2}" && return; sleep 0.1; done; false; }

check "package_zip builds within 240 s" timeout 240 cmake --build "$win" --target package_zip --parallel 2
check "$name.zip unpacks into an empty folder" unzip -q "$win/$name.zip" -d "$work"
cd "$work/$name" || fail "the zip has no folder $name"
check "it holds FILORA.EXE, SHA256SUMS, README.md and docs/*.png, no FILORA.INI" \
  [ "$(find . -type f | sort)" = "$(printf '%s\n' ./FILORA.EXE ./SHA256SUMS ./README.md \
    $(cd "$root/docs" && ls *.png | sed 's|^|./docs/|') | sort)" ]
no_debug() { ! i686-w64-mingw32-objdump -h FILORA.EXE | grep -q ' \.debug'; }
check "FILORA.EXE ($(stat -c %s FILORA.EXE) bytes) has no .debug section" no_debug
check "FILORA.EXE matches SHA256SUMS" sha256sum --quiet -c SHA256SUMS
# FileVersion "1.22.00" is FILORA-1.22; "1.22.01" would be FILORA-1.22.1.
ver=$(i686-w64-mingw32-strings -el FILORA.EXE | grep -A1 -x FileVersion | tail -n1)
check "the zip is named after the exe's FileVersion $ver" \
  [ "FILORA-$(awk -F. '{ printf "%d.%d", $1, $2; if ($3 + 0) printf ".%d", $3 }' <<<"$ver")" = "$name" ]

unset DISPLAY # never the caller's own screen
filora_start_xvfb || fail "no X display"
filora_ensure_prefix
wineserver -k >/dev/null 2>&1 # a session from elsewhere would keep its desktop on another display
(exec wine FILORA.EXE >"$work/wine.log" 2>&1 </dev/null) & pid=$!
has_window() { id=$(xdotool search --name '^FILORA$' 2>/dev/null | head -n1) && [ -n "$id" ]; }
check "a window titled FILORA opens within 90 s" wait_for 90 has_window
sleep 1.5 # the first paint
read -r wx wy ww wh <<<"$(xwininfo -id "$id" | awk '/Absolute upper-left X/ { x = $NF }
  /Absolute upper-left Y/ { y = $NF } /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print x, y, w, h }')"
import -window root "$work/shot.png"
# The distinct colours of a WxH+X+Y part of the screen, one "R,G,B" a line.
colours() { convert "$work/shot.png" -crop "$1x$2+$3+$4" +repage -unique-colors -depth 8 txt:- |
  sed -n 's/.*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\)[,)].*/\1,\2,\3/p'; }
dark() { colours "$@" | awk -F, '$1 + $2 + $3 < 200 { n++ } END { exit !n }'; }
# The client area begins where the default background (COLOR 15138815) does, between the button
# (client x 10..70) and the folder box (from x 80). Lines of txt: output count from 2.
first_bg() { convert "$work/shot.png" -crop "$1" +repage -depth 8 txt:- | grep -n -m1 '(255,255,230[,)]' | cut -d: -f1; }
cy=$((wy + $(first_bg 1x120+$((wx + 78))+$wy) - 2))
cx=$((wx + $(first_bg 40x1+$wx+$((cy + 3))) - 2)) frame=$((cx - wx))
check "the window (${ww}x$wh at $wx,$wy) has its client area (at $cx,$cy) in the default colour" \
  test "$cy" -gt "$wy" -a "$cx" -gt "$wx"
check "the 変更 button shows its caption" dark 56 16 $((cx + 12)) $((cy + 12))
check "the folder box is there, empty" [ "$(colours 100 10 $((cx + 90)) $((cy + 15)))" = 255,255,255 ]
check "the list shows its header" dark 80 14 $((cx + 12)) $((cy + 43))
check "the list is there, empty" [ "$(colours 200 100 $((cx + 20)) $((cy + 100)))" = 255,255,255 ]
check "the status bar is at the bottom" [ -z "$(colours 300 4 $((cx + 100)) $((wy + wh - frame - 8)) | grep -x 255,255,230)" ]

xdotool key alt+F4
ended() { ! kill -0 "$pid" 2>/dev/null; }
check "Alt+F4 ends FILORA within 30 s" wait_for 30 ended
# The defaults: a 640x480 window at the top left and every column 100 pixels wide.
want=$(printf '%s\n' '[OPTION]' 'FILTER=*.*' SUB=1 AUTO=0 DELETE=1 LEFT=0 TOP=0 RIGHT=640 BOTTOM=480 DIR1= \
  COLOR=15138815 $(seq -f 'COLMN%02g=100' 1 17) | sort)
check "FILORA.INI beside the exe holds the defaults" diff <(echo "$want") <(tr -d '\r' <FILORA.INI | sort)

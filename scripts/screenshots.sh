#!/usr/bin/env bash
# Makes the user guide's pictures from a real run of FILORA.EXE under Wine: the main window after
# a scan of a folder of programs, the options dialog and the about box, each cut to its window,
# into docs/*.png. Drives the program with X input events on a private display, like a user.
#
#   scripts/screenshots.sh [WIN_BIN_DIR]    (default: build/win32/bin, as scripts/test.sh builds it,
#                                            or build/win64/bin where the host runs no 32-bit code)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$root/build/win32/bin}
if [ -z "${1:-}" ] && ! (source "$root/scripts/wine-env.sh" && filora_host_runs_32bit >/dev/null); then
  bin=$root/build/win64/bin
fi
docs=$root/docs
bash "$root/scripts/setup.sh"
export TZ=Asia/Tokyo # the clock of a Japanese user
source "$root/tests/e2e/lib/e2e.sh"
e2e_init "$bin"

# A folder of programs with version resources, inside the prefix so that it reads C:\ツール.
sample=$WINEPREFIX/drive_c/ツール
rm -rf "$sample"
mkdir -p "$sample"
cp "$bin/FILORA.EXE" "$sample/"
cp "$bin"/fixtures/*.exe "$sample/" 2>/dev/null || echo "screenshots: no fixture programs in $bin/fixtures" >&2
printf 'FILORA 1.22\r\n' >"$sample/readme.txt"
cleanup_sample() { rm -rf "$sample"; e2e_cleanup; }
trap cleanup_sample EXIT

dir1=$(printf 'C:\\ツール' | iconv -f UTF-8 -t CP932)
widths=(100 70 70 125 125 80 40 95 115 200 70 100 100 100 100 100 150)
cols=()
for i in "${!widths[@]}"; do cols+=("$(printf 'COLMN%02d=%d' $((i + 1)) "${widths[$i]}")"); done
printf '%s\r\n' '[OPTION]' LEFT=0 TOP=0 RIGHT=1240 BOTTOM=400 COLOR=15138815 "DIR1=$dir1" 'FILTER=*.exe;*.txt' \
  'FILTER001=*.exe;*.dll' 'FILTER002=*.txt' 'FILTER003=*.exe;*.txt' SUB=1 AUTO=0 DELETE=1 "${cols[@]}" \
  >"$E2E_DIR/app/FILORA.INI"
e2e_start

e2e_scan
# Leave the mouse out of the picture, and the focus on the list with its first row selected.
xdotool mousemove 1270 1010
sleep 1

# Cuts the window with this X id out of a screenshot into a docs picture.
cut_window() {
  local id=$1 out=$2 x y w h shot=$E2E_DIR/screen.png
  read -r x y w h < <(xwininfo -id "$id" |
    awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
         /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print x, y, w, h }')
  import -window root "$shot"
  convert "$shot" -crop "${w}x$h+$x+$y" +repage -strip "$out"
  echo "screenshots: $out (${w}x$h)"
}

main_id=$(e2e_window FILORA)
cut_window "$main_id" "$docs/main.png"

# The row menu of the second row, and the corner of the window around it.
xdotool mousemove --window "$main_id" 90 118 click 3
sleep 1
cut_window "$main_id" "$E2E_DIR/menu.png"
convert "$E2E_DIR/menu.png" -crop 460x250+0+0 +repage -strip "$docs/rowmenu.png"
echo "screenshots: $docs/rowmenu.png"
xdotool key Escape
sleep 0.5

xdotool key alt+h
sleep 0.3
xdotool key o
e2e_until 20 "options dialog" e2e_shown オプションの設定
sleep 1
cut_window "$(e2e_window オプションの設定)" "$docs/options.png"
xdotool key Escape
e2e_until 20 "closing of the options dialog" e2e_gone オプションの設定

# The about box has the same title as the main window: it is the other window of that name.
xdotool key alt+h
sleep 0.3
xdotool key v
about() { about_id=$(xdotool search --name '^FILORA$' 2>/dev/null | grep -v -x "$main_id" | head -n1); [ -n "$about_id" ]; }
e2e_until 20 "about box" about
sleep 1
cut_window "$about_id" "$docs/about.png"
xdotool key Escape
sleep 0.5

xdotool key alt+f sleep 0.3 key x
e2e_until 30 "end of FILORA after Exit" e2e_ended

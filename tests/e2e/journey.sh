#!/usr/bin/env bash
# One journey through FILORA.EXE with real keys and mouse from a first start without settings:
# type a folder, set filter and an option, scan, sort by size descending, delete two rows, save the
# list, close with the close box. Checks the exported bytes and the settings file beside the exe.
set -u
# Local time in a zone away from UTC without daylight saving: the texts below show the conversion.
export TZ=Asia/Tokyo
source "$(dirname "$0")/lib/e2e.sh"
e2e_init "${1:-}"

tree=$E2E_DIR/tree
mkdir -p "$tree/図表" "$tree/.cache"
truncate -s 1234567 "$tree/data.dat"
: >"$tree/empty.dat"
printf 'Shift_JIS 0x5C\n' >"$tree/表.txt" # 表 ends in 0x5C, the backslash, in code page 932
printf 'hello\r\n' >"$tree/readme.txt"
printf 'notes\n' >"$tree/notes.txt"
printf 'deep\n' >"$tree/図表/inner.txt"
echo skipped >"$tree/.cache/skip.txt" # a dot folder is never entered
echo other >"$tree/other.log"         # outside the filter
touch -m -d '2021-03-04 05:06:07 UTC' "$tree"/* "$tree"/*/* "$tree"/.cache/*
# A future access time is left alone by relatime when the scan reads the files.
touch -a -d '2036-02-03 04:05:06 UTC' "$tree"/* "$tree"/*/* "$tree"/.cache/*

e2e_start
# "x y r g b" for each pixel of a part of the screen.
pixels() { import -window root -crop "$1" -depth 8 txt:- | tr -s ',:() ' ' '; }
# The client area starts where the default background (pale yellow) does: down from the window's
# top between the Change button (client x 10..70) and the folder box (x 80), in from its left.
client() {
  read -r wx wy ww <<<"$(xwininfo -id "$(e2e_window FILORA)" |
    awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } /^ *Width:/ { print x, y, $NF }')"
  cy=$(pixels 1x120+$((wx + 78))+"$wy" | awk -v o="$wy" '$3 $4 $5 == "255255230" { print o + $2; exit }')
  cx=$(pixels 40x1+"$wx"+$((cy + 3)) | awk -v o="$wx" '$3 $4 $5 == "255255230" { print o + $1; exit }')
  [ -n "$cx" ] && [ -n "$cy" ]
}
e2e_until 10 "client area in the main window" client
click() { xdotool mousemove $((cx + $1)) $((cy + $2)) "${@:3}" click 1 sleep 0.3; }

click 200 20 # the folder box
xdotool type --delay 20 "$(e2e_winpath "$tree")"
xdotool key alt+h sleep 0.3 key o
e2e_until 20 "options dialog" e2e_shown オプションの設定
# From OK, Tab goes to Cancel, subfolders, the filter (its text selected), auto width, clear first.
xdotool sleep 0.5 key Tab Tab Tab type --delay 20 '*.txt;*.dat'
xdotool key Tab Tab space Return
e2e_until 20 "closing of the options dialog" e2e_gone オプションの設定
e2e_scan

# Size is the third column, all columns 100 pixels wide, the list at client 10,40; the clicks
# are further apart than the double-click time.
click 261 48 && sleep 0.8 && click 261 48
# Client y of the text lines in the list's name column (runs of dark pixels), the header's first.
rows() {
  mapfile -t row < <(pixels 80x300+$((cx + 14))+$((cy + 42)) | awk 'NR > 1 && $3 + $4 + $5 < 384 { dark[$2] = 1 }
    END { s = -1; for (y = 0; y <= 300; y++)
      if (dark[y] && s < 0) s = y; else if (!dark[y] && s >= 0) { print 42 + int((s + y - 1) / 2); s = -1 } }')
  ((${#row[@]} == 7))
}
e2e_until 10 "header and 6 rows in the list" rows
# Rows 3 and 4 (readme.txt, notes.txt): a click, a Shift+click, Delete.
click 40 "${row[3]}"
click 40 "${row[4]}" keydown shift
xdotool keyup shift key Delete
e2e_open_save # Alt+F, S; the name typed replaces any the dialog proposes
xdotool key End shift+Home type --delay 20 "$(e2e_winpath "$E2E_DIR/list.csv")"
xdotool key Return # a separate call: type takes every word after it as text
e2e_save_closed
# The close box: the last caption button, as far inside the corner as the frame is wide.
xdotool mousemove $((wx + ww - (cx - wx) - 9)) $((wy + (cx - wx) + 9)) click 1
e2e_until 30 "end of FILORA after a click on its close box" e2e_ended

fail=0 w=$(e2e_winpath "$tree")
# 表.txt is no 8.3 name: Wine makes one up from a hash of the long name.
sed 's/$/\r/' <<EOF | iconv -f UTF-8 -t CP932 >"$E2E_DIR/want.csv"
"data.dat",".dat file","   1234567","2021-03-04 14:06:07","2021-03-04 14:06:07","2036-02-03","A"," "," "," "," "," "," "," "," "," ","$w\data.dat"
"表.txt",".txt file","        15","2021-03-04 14:06:07","2021-03-04 14:06:07","2036-02-03","A","_~~~~RDP.TXT"," "," "," "," "," "," "," "," ","$w\表.txt"
"inner.txt",".txt file","         5","2021-03-04 14:06:07","2021-03-04 14:06:07","2036-02-03","A"," "," "," "," "," "," "," "," "," ","$w\図表\inner.txt"
"empty.dat",".dat file","         0","2021-03-04 14:06:07","2021-03-04 14:06:07","2036-02-03","A"," "," "," "," "," "," "," "," "," ","$w\empty.dat"
EOF
# Fails unless two files hold the same bytes; shows the difference as text.
show() { iconv -f CP932 -t UTF-8 "$1" | sed 's/\r$/\\r/'; }
same() { cmp -s "$2" "$3" || { echo "[e2e] FAIL $1 (< want, > got)"; diff <(show "$2") <(show "$3"); fail=1; }; }
same export "$E2E_DIR/want.csv" "$E2E_DIR/list.csv"
test -f "$tree/readme.txt" -a -f "$tree/notes.txt" || { echo "[e2e] FAIL Delete removed files"; fail=1; }

want=("FILTER=*.txt;*.dat" "FILTER001=*.txt;*.dat" SUB=1 AUTO=0 DELETE=0 "DIR1=$w" LEFT=0 TOP=0 RIGHT=640 BOTTOM=480
  COLOR=15138815)
for i in $(seq -w 17); do want+=("COLMN$i=100"); done
printf '%s\n' "${want[@]}" >"$E2E_DIR/want.ini"
for kv in "${want[@]}"; do
  echo "${kv%%=*}=$(LC_ALL=C sed -n "s/^${kv%%=*}=//p" "$E2E_DIR/app/FILORA.INI" | tr -d '\r')"
done >"$E2E_DIR/got.ini"
same settings "$E2E_DIR/want.ini" "$E2E_DIR/got.ini"
((fail == 0)) && echo "[e2e] PASS" || E2E_KEEP=1
exit $fail

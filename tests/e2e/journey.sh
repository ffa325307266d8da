#!/usr/bin/env bash
# One journey through FILORA.EXE with real keys and mouse from a first start: start it again (that one ends), type
# a folder, set options, scan, sort by size descending, delete two rows, copy a row's path from its row menu into the
# folder box, save the list, close it; check list and settings.
set -u && export TZ=Asia/Tokyo # away from UTC without daylight saving: the times below show the conversion
source "$(dirname "$0")/lib/e2e.sh"; e2e_init "${1:-}"; e2e_start
(cd "$E2E_DIR/app" && exec "$(filora_loader FILORA.EXE)" FILORA.EXE >/dev/null 2>&1 </dev/null) & second=$!
e2e_until 20 "end of a second FILORA started beside the first" eval '! kill -0 $second 2>/dev/null'
t=$E2E_DIR/tree && w=Z:${t//\//\\} # Z:\ is the whole Unix file system in every Wine prefix
mkdir -p "$t/図表" "$t/.cache" && truncate -s 1234567 "$t/data.dat" && : >"$t/empty.dat" && echo other >"$t/other.log"
printf 'hello\r\n' >"$t/readme.txt" && printf 'notes\n' >"$t/notes.txt" && printf 'deep\n' >"$t/図表/inner.txt"
printf 'Shift_JIS 0x5C\n' >"$t/表.txt" && echo no >"$t/.cache/skip.txt" # 表 ends in 0x5C (\) in CP932; dot folders are skipped
# Future access times: relatime leaves them alone when the scan reads the files.
find "$t" -mindepth 1 -exec touch -m -d '2021-03-04 05:06:07 UTC' {} + -exec touch -a -d '2036-02-03 04:05:06 UTC' {} +
# The client area starts where the pale yellow background does: down from the window's top between the
# Change button (client x 10..70) and the folder box (x 80), in from its left. pixels: "x y r g b" lines.
pixels() { import -window root -crop "$1" -depth 8 txt:- | tr -s ',:() ' ' '; }
client() {
  eval "$(xdotool getwindowgeometry --shell "$(e2e_window FILORA)")"
  cy=$(pixels 1x120+$((X + 78))+"$Y" | awk -v o="$Y" '$3 $4 $5 == "255255230" { print o + $2; exit }')
  cx=$(pixels 40x1+"$X"+$((cy + 3)) | awk -v o="$X" '$3 $4 $5 == "255255230" { print o + $1; exit }')
  [ -n "$cx" ] && [ -n "$cy" ]
}
e2e_until 10 "client area in the main window" client
click() { xdotool mousemove $((cx + $1)) $((cy + $2)) "${@:3}" click 1 sleep 0.3; }
click 200 20 && xdotool type --delay 20 "$w" # the folder box
xdotool key alt+h sleep 0.3 key o && e2e_until 20 "options dialog" e2e_shown オプションの設定
# From OK, Tab goes to Cancel, subfolders, the filter (its text selected), auto width, clear first.
xdotool sleep 0.5 key Tab Tab Tab type --delay 20 '*.txt;*.dat' && xdotool key Tab Tab space Return
e2e_until 20 "closing of the options dialog" e2e_gone オプションの設定
e2e_scan # then Size, the third column of 100 pixels (list at client 10,40), twice but not as a double-click
click 261 48 && sleep 0.8 && click 261 48
rows() { # client y of the text lines (runs of dark pixels) in the list's name column, the header's first
  mapfile -t row < <(pixels 80x300+$((cx + 14))+$((cy + 42)) | awk 'NR > 1 && $3 + $4 + $5 < 384 { d[$2] = 1 } END {
    for (y = 0; y <= 300; y++) if (d[y] != d[y - 1]) if (d[y]) s = y; else print 42 + int((s + y - 1) / 2) }')
  ((${#row[@]} == 7))
}
e2e_until 10 "header and 6 rows in the list" rows
click 40 "${row[3]}" && click 40 "${row[4]}" keydown shift && xdotool keyup shift key Delete # readme, notes
# A right-click on 表.txt, now the second row, and its menu's パスのコピー(&P); the path pasted into the folder box.
xdotool mousemove $((cx + 40)) $((cy + row[2])) click 3 sleep 0.5 key p sleep 0.3
click 200 20 && xdotool key End shift+Home ctrl+v
e2e_until 120 "Save dialog" e2e_save # the name typed replaces any proposed; Return in its own call
xdotool key End shift+Home type --delay 20 "Z:${E2E_DIR//\//\\}\\list.csv" && e2e_saved Return
# The close box: the last caption button, as far inside the corner as the frame is wide.
xdotool mousemove $((X + WIDTH - (cx - X) - 9)) $((Y + (cx - X) + 9)) click 1
e2e_until 30 "end of FILORA after a click on its close box" e2e_ended
sed 's/$/\r/' <<EOF2 | iconv -f UTF-8 -t CP932 >"$E2E_DIR/want.csv" # Wine hashes 表.txt into an 8.3 name
"data.dat",".dat file","   1234567","2021-03-04 14:06:07","2021-03-04 14:06:07","2036-02-03","A"," "," "," "," "," "," "," "," "," ","$w\data.dat"
"表.txt",".txt file","        15","2021-03-04 14:06:07","2021-03-04 14:06:07","2036-02-03","A","_~~~~RDP.TXT"," "," "," "," "," "," "," "," ","$w\表.txt"
"inner.txt",".txt file","         5","2021-03-04 14:06:07","2021-03-04 14:06:07","2036-02-03","A"," "," "," "," "," "," "," "," "," ","$w\図表\inner.txt"
"empty.dat",".dat file","         0","2021-03-04 14:06:07","2021-03-04 14:06:07","2036-02-03","A"," "," "," "," "," "," "," "," "," ","$w\empty.dat"
EOF2
{ printf '%s\r\n' '[OPTION]' 'FILTER001=*.txt;*.dat' 'FILTER=*.txt;*.dat' SUB=1 AUTO=0 DELETE=0 TOP=0 BOTTOM=480 \
  LEFT=0 RIGHT=640 "DIR1=$w\表.txt" COLOR=15138815 && printf 'COLMN%02d=100\r\n' {1..17}; } |
  iconv -f UTF-8 -t CP932 >"$E2E_DIR/want.ini"
show() { iconv -f CP932 -t UTF-8 "$1" | sed 's/\r$/\\r/'; } # same: byte for byte, or fails showing the difference
same() { cmp -s "$2" "$3" || { echo "[e2e] FAIL $1 (< want, > got)"; diff <(show "$2") <(show "$3"); fail=1; }; }
fail=0; same export "$E2E_DIR/want.csv" "$E2E_DIR/list.csv"; same settings "$E2E_DIR/want.ini" "$E2E_DIR/app/FILORA.INI"
test -f "$t/readme.txt" -a -f "$t/notes.txt" || { echo "[e2e] FAIL Delete removed files"; fail=1; }
((fail)) && E2E_KEEP=1 || echo "[e2e] PASS"; exit $fail

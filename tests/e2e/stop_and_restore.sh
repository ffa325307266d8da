#!/usr/bin/env bash
# A user starts a scan of a large tree and stops it from the menu, moves the window and widens a
# column with the mouse, and closes the window with its close box; the next start brings the
# window, the column widths, the folder and the filter back, and closing again keeps them.
set -u
source "$(dirname "$0")/lib/e2e.sh"
e2e_init "${1:-}"

# 1000 files, all two levels down, and three in the top folder.
tree=$E2E_DIR/tree
for d in $(seq -w 0 99); do
  mkdir -p "$tree/d$d/deep"
  (cd "$tree/d$d/deep" && touch f0.txt f1.txt f2.txt f3.txt f4.txt f5.txt f6.txt f7.txt f8.txt f9.txt)
done
touch "$tree/top1.txt" "$tree/top2.txt" "$tree/top3.txt"
total=1003

cols=("COLMN01=150" "COLMN02=80")
for i in $(seq -w 3 17); do cols+=("COLMN$i=$((60 + 10#$i))"); done
e2e_write_ini LEFT=20 TOP=10 RIGHT=760 BOTTOM=560 COLOR=$E2E_COLOR "DIR1=$(e2e_winpath "$tree")" \
  'FILTER=*.txt;*.none' "${cols[@]}"
e2e_start
e2e_expect_eq "the window opens where the settings file puts it" "20 10 760 560" \
  "$(e2e_window_rect "$E2E_TITLE_MAIN")"

# Start, and at once open the File menu again: the scan, which answers one message per folder,
# opens it while it runs, and waits while it is open. Then Stop, 中断(&I) in place of Start.
xdotool key alt+f
sleep 0.3
xdotool key e alt+f
sleep 1
xdotool key i
# Save is back as soon as Stop is chosen, while the stopped walk still unwinds (without entering
# any more subfolders); the list saved once it has settled is what the scan left.
e2e_save_list "$E2E_DIR/at-stop.csv"
sleep 2
e2e_save_list "$E2E_DIR/stopped.csv"
sleep 2
e2e_save_list "$E2E_DIR/later.csv"
rows=$(wc -l <"$E2E_DIR/stopped.csv")
e2e_log "$(wc -l <"$E2E_DIR/at-stop.csv") rows listed at the stop, $rows of $total in the end"
e2e_check "Stop ends the scan before the whole tree is listed" test "$rows" -lt "$total"
e2e_check "nothing more is listed once the stopped scan has unwound" \
  cmp -s "$E2E_DIR/stopped.csv" "$E2E_DIR/later.csv"
e2e_check "the top folder's own files are still listed" \
  test "$(grep -c -E 'top[123]\.txt' "$E2E_DIR/stopped.csv")" = 3

# Drag the caption 50 right and 40 down, and the divider after column 0 30 to the right.
drag() {
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.2
  xdotool mousemove $(($1 + $3 / 2)) $(($2 + $4 / 2))
  sleep 0.2
  xdotool mousemove $(($1 + $3)) $(($2 + $4))
  sleep 0.2
  xdotool mouseup 1
  sleep 0.5
}
drag $((E2E_WIN_X + 200)) $((E2E_WIN_Y + 10)) 50 40
e2e_calibrate
drag $((E2E_CLIENT_X + 11 + 150)) $((E2E_CLIENT_Y + 48)) 30 0

# The close box is the last caption button, as far inside the corner as the frame is wide.
close_by_box() {
  local frame=$((E2E_CLIENT_X - E2E_WIN_X))
  xdotool mousemove $((E2E_WIN_X + E2E_WIN_W - frame - 9)) $((E2E_WIN_Y + frame + 9)) click 1
  e2e_wait_exit 30 || e2e_die "FILORA did not end after a click on its close box"
}
close_by_box

saved_settings() {
  local k
  for k in LEFT TOP RIGHT BOTTOM DIR1 FILTER COLMN01 COLMN02 COLMN03 COLMN17; do echo "$k=$(e2e_ini_value $k)"; done
}
first=$(saved_settings)
e2e_expect_eq "the moved window's place and size are saved" "LEFT=70 TOP=50 RIGHT=760 BOTTOM=560" \
  "$(echo "$first" | grep -E '^(LEFT|TOP|RIGHT|BOTTOM)=' | paste -sd' ')"
e2e_expect_eq "the widened column is saved, the others as they were" "COLMN01=180 COLMN02=80 COLMN03=63 COLMN17=77" \
  "$(echo "$first" | grep -E '^COLMN' | paste -sd' ')"
e2e_expect_eq "folder and filter are saved" "DIR1=$(e2e_winpath "$tree") FILTER=*.txt;*.none" \
  "$(echo "$first" | grep -E '^(DIR1|FILTER)=' | paste -sd' ')"

e2e_start
e2e_expect_eq "the next start opens the window where it was left" "70 50 760 560" \
  "$(e2e_window_rect "$E2E_TITLE_MAIN")"
close_by_box
e2e_expect_eq "closing again keeps every value" "$first" "$(saved_settings)"
e2e_finish

#!/usr/bin/env bash
# A user opens the options dialog with the access keys, walks its controls with Tab in their
# order, types a filter and confirms with Enter on OK; the next scan uses the new filter and
# options, the filter history gets the new entry at once, and the settings file keeps it all.
set -u
source "$(dirname "$0")/lib/e2e.sh"
e2e_init "${1:-}"

tree=$E2E_DIR/tree
mkdir -p "$tree/sub"
echo top >"$tree/top.log"
echo text >"$tree/notes.txt"
echo deeper >"$tree/sub/deeper.log"

e2e_write_ini LEFT=0 TOP=0 RIGHT=800 BOTTOM=600 COLOR=$E2E_COLOR "DIR1=$(e2e_winpath "$tree")" \
  'FILTER=*.*' SUB=1 AUTO=0 DELETE=1
e2e_start

xdotool key alt+h
sleep 0.3
xdotool key o
e2e_wait_window "$E2E_TITLE_OPTIONS" 20 || e2e_die "the options dialog did not open"
sleep 0.5
# The focus starts on OK; the tab order is OK, Cancel, subfolders, filter, auto width, clear first.
xdotool key Tab Tab space     # subfolders: off
xdotool key Tab
xdotool type --delay 20 '*.log'
xdotool key Tab space         # auto width: on
xdotool key Tab Tab           # past clear first, round to OK
xdotool key Return
e2e_wait_gone "$E2E_TITLE_OPTIONS" 20 || e2e_die "the options dialog did not close"

e2e_expect_eq "OK writes a new filter to the history at once" '*.log' "$(e2e_ini_value FILTER001)"
e2e_expect_eq "the other settings wait for the exit" '*.*' "$(e2e_ini_value FILTER)"

e2e_scan
e2e_save_list "$E2E_DIR/list.csv"
e2e_expect_eq "the scan lists only the top folder's files that match the new filter" \
  "\"$(e2e_winpath "$tree")\\top.log\"" "$(awk -F, '{ print $17 }' "$E2E_DIR/list.csv" | tr -d '\r')"

e2e_close_by_keys
e2e_expect_eq "the filter is saved at exit" '*.log' "$(e2e_ini_value FILTER)"
e2e_expect_eq "the history keeps its entry" '*.log' "$(e2e_ini_value FILTER001)"
e2e_expect_eq "subfolders off (third control in the tab order)" 0 "$(e2e_ini_value SUB)"
e2e_expect_eq "auto width on (fifth control)" 1 "$(e2e_ini_value AUTO)"
e2e_expect_eq "clear first untouched (sixth control)" 1 "$(e2e_ini_value DELETE)"
# All columns were 100 pixels wide: a full time is wider, the attribute letters narrower.
e2e_check "auto width sized the columns to their content" \
  test "$(e2e_ini_value COLMN04)" -gt 100 -a "$(e2e_ini_value COLMN07)" -lt 100
e2e_finish

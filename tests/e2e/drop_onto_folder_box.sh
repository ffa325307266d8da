#!/usr/bin/env bash
# A user drags files and folders from a file manager onto the window: a drop on the folder box
# puts the first dropped item's path there, a drop anywhere else is refused, and the scan and the
# settings file take the dropped folder, also one whose name cannot be typed without an IME.
set -u
source "$(dirname "$0")/lib/e2e.sh"
e2e_init "${1:-}"
e2e_build_dropper

# 表 ends in the byte 0x5C, the backslash, in code page 932.
folder=$E2E_DIR/図表
mkdir -p "$folder/sub"
echo a >"$folder/a.txt"
echo b >"$folder/sub/b.txt"
echo single >"$E2E_DIR/single.txt"

e2e_write_ini LEFT=0 TOP=0 RIGHT=800 BOTTOM=600 COLOR=$E2E_COLOR
e2e_start

paths_of() { awk -F, '{ print $17 }' "$1" | tr -d '"\r' | LC_ALL=C sort | iconv -f CP932 -t UTF-8 | paste -sd' '; }
w=$(e2e_winpath "$folder")

# The folder box is at client x 80, y 10; the list from y 40.
e2e_check "a drop on the folder box is taken" e2e_drop_at_client 200 20 "$E2E_DIR/single.txt" "$folder"
e2e_scan
e2e_save_list "$E2E_DIR/file.csv"
e2e_check "of several dropped items the first, a file, is in the box: its scan lists nothing" \
  test -f "$E2E_DIR/file.csv" -a ! -s "$E2E_DIR/file.csv"

e2e_check "a second drop replaces the folder box's text" e2e_drop_at_client 300 20 "$folder"
refused_at_client() { ! e2e_drop_at_client "$@"; }
e2e_check "a drop on the list is refused" refused_at_client 300 200 "$E2E_DIR/single.txt"
e2e_scan
e2e_save_list "$E2E_DIR/folder.csv"
e2e_expect_eq "the dropped folder is scanned, with its whole tree" "$w\\a.txt $w\\sub\\b.txt" \
  "$(paths_of "$E2E_DIR/folder.csv")"

e2e_close_by_keys
e2e_expect_eq "the dropped folder is saved at exit, in code page 932" \
  "$(printf '%s' "$w" | iconv -f UTF-8 -t CP932 | od -An -tx1)" "$(printf %s "$(e2e_ini_value DIR1)" | od -An -tx1)"
e2e_finish

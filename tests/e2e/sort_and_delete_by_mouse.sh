#!/usr/bin/env bash
# A user clicks the size header twice (ascending, then descending), then selects rows with the
# mouse and Shift and presses Delete; each saved list shows the order or the rows left.
set -u
source "$(dirname "$0")/lib/e2e.sh"
e2e_init "${1:-}"

tree=$E2E_DIR/tree
mkdir -p "$tree"
# Sizes of different digit counts: they sort as numbers because the cell is right-aligned.
declare -A sizes=([a1.txt]=30 [b2.txt]=4 [c3.txt]=1000 [d4.txt]=200 [e5.txt]=9)
for name in "${!sizes[@]}"; do head -c "${sizes[$name]}" /dev/zero | tr '\0' x >"$tree/$name"; done

widths=$(printf '100 %.0s' $(seq 17))
cols=()
for i in $(seq -w 1 17); do cols+=("COLMN$i=100"); done
e2e_write_ini LEFT=0 TOP=0 RIGHT=800 BOTTOM=600 COLOR=$E2E_COLOR "DIR1=$(e2e_winpath "$tree")" "${cols[@]}"
e2e_start
e2e_scan
e2e_save_list "$E2E_DIR/scanned.csv"

names_of() { cut -d, -f1 "$1" | tr -d '"\r' | paste -sd' '; }

e2e_click_header 2 "$widths"
e2e_save_list "$E2E_DIR/ascending.csv"
e2e_expect_eq "first click on the size header sorts ascending" \
  "b2.txt e5.txt a1.txt d4.txt c3.txt" "$(names_of "$E2E_DIR/ascending.csv")"

e2e_click_header 2 "$widths"
e2e_save_list "$E2E_DIR/descending.csv"
e2e_expect_eq "second click on the same header sorts descending" \
  "c3.txt d4.txt a1.txt e5.txt b2.txt" "$(names_of "$E2E_DIR/descending.csv")"

# Rows 1 to 3 (d4, a1, e5): a click on the first, Shift and a click on the last.
e2e_measure_rows
e2e_click_row 1
e2e_click_row 3 shift
xdotool key Delete
sleep 0.5
e2e_save_list "$E2E_DIR/deleted.csv"
e2e_expect_eq "Delete removes the rows selected with the mouse and Shift" \
  "c3.txt b2.txt" "$(names_of "$E2E_DIR/deleted.csv")"
grep -e c3.txt -e b2.txt "$E2E_DIR/descending.csv" >"$E2E_DIR/kept.csv"
e2e_check "the rows left are unchanged" e2e_same_bytes "$E2E_DIR/kept.csv" "$E2E_DIR/deleted.csv"
e2e_check "the files on disk are untouched" test -f "$tree/d4.txt" -a -f "$tree/a1.txt" -a -f "$tree/e5.txt"

e2e_close_by_keys
e2e_finish

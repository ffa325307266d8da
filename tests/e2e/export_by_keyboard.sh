#!/usr/bin/env bash
# A user types a folder into the folder box, starts the scan with the access keys, saves the list
# through the Save dialog, and gets every file of the tree as one exact line of the export.
set -u
source "$(dirname "$0")/lib/e2e.sh"
e2e_init "${1:-}"

tree=$E2E_DIR/tree
mkdir -p "$tree/sub" "$tree/図表" "$tree/.cache"
printf 'hello\r\n' >"$tree/readme.txt"
: >"$tree/empty.dat"
echo secret >"$tree/.profile"
echo keep >"$tree/locked.txt"
chmod 444 "$tree/locked.txt"
echo 0x5C >"$tree/表.txt"
echo inner >"$tree/図表/inner.txt"
echo skipped >"$tree/.cache/skip.txt"
echo plain >"$tree/noext"
truncate -s 1234567 "$tree/sub/big.bin"
cp "$E2E_APP/FILORA.EXE" "$tree/sub/"
modified='2021-03-04 05:06:07 UTC'
# A future access time is left alone by relatime when the scan reads the files.
accessed='2036-02-03 04:05:06 UTC'
find "$tree" -type f -exec touch -m -d "$modified" {} + -exec touch -a -d "$accessed" {} +

e2e_write_ini LEFT=0 TOP=0 RIGHT=800 BOTTOM=600 COLOR=$E2E_COLOR
e2e_start
e2e_type_folder "$(e2e_winpath "$tree")"
e2e_scan
export_file=$E2E_DIR/list.csv
e2e_save_list "$export_file"
e2e_close_by_keys

# Wine reports the last-write time as the creation time.
m=$(e2e_local_time "$modified" full)
a=$(e2e_local_time "$accessed" date)
blanks=(" " " " " " " " " " " " " " " ")
w=$(e2e_winpath "$tree")
expected=$E2E_DIR/expected.csv
{
  e2e_csv_line readme.txt ".txt file" "$(e2e_size 7)" "$m" "$m" "$a" A " " "${blanks[@]}" "$w\\readme.txt"
  e2e_csv_line empty.dat ".dat file" "$(e2e_size 0)" "$m" "$m" "$a" A " " "${blanks[@]}" "$w\\empty.dat"
  e2e_csv_line .profile ".profile file" "$(e2e_size 7)" "$m" "$m" "$a" HA "~" "${blanks[@]}" "$w\\.profile"
  e2e_csv_line locked.txt ".txt file" "$(e2e_size 5)" "$m" "$m" "$a" RA " " "${blanks[@]}" "$w\\locked.txt"
  e2e_csv_line 表.txt ".txt file" "$(e2e_size 5)" "$m" "$m" "$a" A "~" "${blanks[@]}" "$w\\表.txt"
  e2e_csv_line noext File "$(e2e_size 6)" "$m" "$m" "$a" A " " "${blanks[@]}" "$w\\noext"
  e2e_csv_line inner.txt ".txt file" "$(e2e_size 6)" "$m" "$m" "$a" A " " "${blanks[@]}" "$w\\図表\\inner.txt"
  e2e_csv_line big.bin ".bin file" "$(e2e_size 1234567)" "$m" "$m" "$a" A " " "${blanks[@]}" "$w\\sub\\big.bin"
  e2e_csv_line FILORA.EXE ".EXE file" "$(e2e_size "$(stat -c %s "$tree/sub/FILORA.EXE")")" "$m" "$m" "$a" A " " \
    "FILORA Project" "拡張ディレクトリ情報" 1.22.00 FILORA "Copyright (C) 2026 FILORA Project" FILORA.EXE FILORA 1.22.00 \
    "$w\\sub\\FILORA.EXE"
} >"$expected"

# Wine makes up the 8.3 name of a name that is no 8.3 name ("_~~~~RDP.TXT"); only its "~" is
# certain, so that field is cut to "~" when it holds one.
normalize() {
  LC_ALL=C awk 'BEGIN { FS = "\",\""; OFS = "\",\"" } { if ($8 ~ /~/) $8 = "~"; print }' "$1" | LC_ALL=C sort
}

all_lines_well_formed() { [ "$(LC_ALL=C grep -c -v -E '^"[^"]*"(,"[^"]*"){16}'$'\r''$' "$export_file")" = 0 ]; }
first_and_last_bytes() {
  [ "$(head -c 1 "$export_file")" = '"' ] && [ "$(tail -c 2 "$export_file" | od -An -tx1 | tr -d ' ')" = 0d0a ]
}
e2e_check "every line has 17 quoted fields and ends in CR LF" all_lines_well_formed
normalize "$expected" >"$E2E_DIR/want.sorted"
normalize "$export_file" >"$E2E_DIR/got.sorted"
e2e_check "the export holds exactly the expected lines (walk order aside)" \
  e2e_same_bytes "$E2E_DIR/want.sorted" "$E2E_DIR/got.sorted"
e2e_check "no byte-order mark before the first line, nothing after the last" first_and_last_bytes

# A folder's own files come before those of its subfolders.
line_of() { LC_ALL=C grep -n -F "$(printf '%s' "$1" | iconv -f UTF-8 -t CP932)\"" "$export_file" | cut -d: -f1; }
e2e_check "the top folder's files are listed before the subfolders' files" \
  test "$(line_of "$w\\noext")" -lt "$(line_of "$w\\sub\\big.bin")" -a \
  "$(line_of "$w\\readme.txt")" -lt "$(line_of "$w\\図表\\inner.txt")"
e2e_expect_eq "the folder typed into the box is saved at exit" "$w" "$(e2e_ini_value DIR1)"
e2e_finish

# Sourced by the end-to-end tests: runs the real FILORA.EXE under Wine on a private Xvfb display
# and drives it only through X input events (xdotool), reading back only what a user gets: the
# exported file, the settings file, window titles and screenshots.
#
#   e2e_init WIN_BIN_DIR   temp folder with its own copy of FILORA.EXE (so its own FILORA.INI),
#                          a private display, the Wine prefix, and cleanup on exit
#   e2e_start / e2e_close_by_keys / e2e_wait_exit    one run of the program
#   e2e_scan, e2e_save_list FILE, e2e_click_header COL, e2e_click_row N ...   what a user does
#   e2e_check NAME COMMAND... / e2e_expect_eq NAME WANT GOT / e2e_finish   the verdict
#
# Wine draws every window inside one virtual desktop (scripts/wine-env.sh), which is the X
# window at the screen's origin, so desktop coordinates are screen coordinates.

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_ROOT=$(cd "$E2E_LIB_DIR/../../.." && pwd)

E2E_TITLE_MAIN='FILORA'
E2E_TITLE_SAVE='名前を付けて保存'
E2E_TITLE_OPTIONS='オプションの設定'
# The background colour the tests put into the settings file, and the same as R,G,B.
E2E_COLOR=15138815
E2E_COLOR_RGB='255,255,230'

e2e_passed=0
e2e_failed=0
e2e_wine_pid=
E2E_DIR=
E2E_APP=

e2e_log() { echo "[e2e] $*"; }

e2e_die() {
  echo "[e2e] FATAL: $*" >&2
  e2e_shot "$E2E_DIR/fatal.png" 2>/dev/null && echo "[e2e] screen at the failure: $E2E_DIR/fatal.png (kept)" >&2
  E2E_KEEP=1
  e2e_failed=$((e2e_failed + 1))
  e2e_finish
}

e2e_check() {
  local name=$1
  shift
  if "$@"; then
    e2e_passed=$((e2e_passed + 1))
    echo "[e2e] PASS $name"
  else
    e2e_failed=$((e2e_failed + 1))
    echo "[e2e] FAIL $name"
  fi
}

e2e_expect_eq() {
  local name=$1 want=$2 got=$3
  if [ "$want" = "$got" ]; then
    e2e_passed=$((e2e_passed + 1))
    echo "[e2e] PASS $name"
  else
    e2e_failed=$((e2e_failed + 1))
    echo "[e2e] FAIL $name: want [$want] got [$got]"
  fi
}

# Compares two files byte for byte and shows the difference (decoded from code page 932).
e2e_same_bytes() {
  if cmp -s "$1" "$2"; then return 0; fi
  echo "--- want $1 / +++ got $2" >&2
  diff <(iconv -f CP932 -t UTF-8 "$1" | cat -A) <(iconv -f CP932 -t UTF-8 "$2" | cat -A) >&2
  return 1
}

e2e_finish() {
  echo "$e2e_passed passed, $e2e_failed failed"
  [ "$e2e_failed" -eq 0 ] && exit 0
  exit 1
}

e2e_cleanup() {
  # Only this test's Wine session (its own prefix) and its own display.
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  filora_stop_xvfb
  if [ -n "$E2E_DIR" ] && [ -z "${E2E_KEEP:-}" ]; then
    chmod -R u+w "$E2E_DIR" 2>/dev/null
    rm -rf "$E2E_DIR"
  elif [ -n "$E2E_DIR" ]; then
    echo "[e2e] kept $E2E_DIR" >&2
  fi
}

e2e_init() {
  local bin=${1:?usage: $0 WIN_BIN_DIR}
  [ -f "$bin/FILORA.EXE" ] || { echo "no $bin/FILORA.EXE" >&2; exit 1; }
  local tool
  for tool in xdotool import convert wine Xvfb iconv; do
    command -v "$tool" >/dev/null || { echo "e2e: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
  done
  source "$E2E_ROOT/scripts/wine-env.sh"
  # Times are shown in local time: a zone without daylight saving and away from UTC makes the
  # expected texts exact and shows that the conversion happens.
  export TZ=Asia/Tokyo
  E2E_DIR=$(mktemp -d /tmp/filora-e2e.XXXXXX)
  E2E_APP=$E2E_DIR/app
  mkdir -p "$E2E_APP"
  cp "$bin/FILORA.EXE" "$E2E_APP/"
  trap e2e_cleanup EXIT
  # Never the caller's own screen: keys and clicks go to a display of our own.
  unset DISPLAY
  filora_start_xvfb || exit 1
  filora_ensure_prefix
  # A Wine session left from elsewhere would keep its desktop on another display.
  wineserver -k >/dev/null 2>&1
  e2e_log "folder $E2E_DIR, display $DISPLAY, prefix $WINEPREFIX"
}

# Z:\ is the whole Unix file system in every Wine prefix.
e2e_winpath() { printf 'Z:%s' "${1//\//\\}"; }

# Writes the settings file from KEY=VALUE arguments (section OPTION, CR LF as Windows writes it).
e2e_write_ini() {
  {
    printf '[OPTION]\r\n'
    local kv
    for kv in "$@"; do printf '%s\r\n' "$kv"; done
  } >"$E2E_APP/FILORA.INI"
}

# Bytes as they stand (code page 932 text is no UTF-8).
e2e_ini_value() {
  LC_ALL=C sed -n "s/^$1=\(.*\)$/\1/p" "$E2E_APP/FILORA.INI" | tr -d '\r' | head -n1
}

e2e_find_window() { xdotool search --name "^$1\$" 2>/dev/null | head -n1; }

# Waits until a window with exactly this title exists; at most $2 seconds.
e2e_wait_window() {
  local title=$1 limit=${2:-30} i
  for ((i = 0; i < limit * 10; i++)); do
    [ -n "$(e2e_find_window "$title")" ] && return 0
    sleep 0.1
  done
  return 1
}

e2e_wait_gone() {
  local title=$1 limit=${2:-30} i
  for ((i = 0; i < limit * 10; i++)); do
    [ -z "$(e2e_find_window "$title")" ] && return 0
    sleep 0.1
  done
  return 1
}

# "left top width height" of the window with this title, on the desktop (xdotool's own
# geometry doubles the offset of windows that are not children of the root).
e2e_window_rect() {
  xwininfo -id "$(e2e_find_window "$1")" |
    awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
         /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print x, y, w, h }'
}

e2e_start() {
  (cd "$E2E_APP" && exec wine FILORA.EXE >"$E2E_DIR/wine.log" 2>&1 </dev/null) &
  e2e_wine_pid=$!
  e2e_wait_window "$E2E_TITLE_MAIN" 90 || e2e_die "the main window did not appear"
  # Let the first paint finish before looking at the screen.
  sleep 1.5
  e2e_calibrate
}

# Waits for the program to end after it was told to close; at most $1 seconds.
e2e_wait_exit() {
  local limit=${1:-30} i
  for ((i = 0; i < limit * 10; i++)); do
    if ! kill -0 "$e2e_wine_pid" 2>/dev/null; then
      wait "$e2e_wine_pid" 2>/dev/null
      return 0
    fi
    sleep 0.1
  done
  return 1
}

e2e_shot() { import -window root "$1"; }

# The colours of a vertical (v) or horizontal (h) line of pixels of a screenshot, one "R,G,B" a line.
e2e_pixels() {
  local file=$1 dir=$2 x=$3 y=$4 len=$5 geometry
  if [ "$dir" = v ]; then geometry=1x$len+$x+$y; else geometry=${len}x1+$x+$y; fi
  convert "$file" -crop "$geometry" +repage -depth 8 txt:- |
    sed -n 's/^[0-9]*,[0-9]*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\)[,)].*/\1,\2,\3/p'
}

# Finds the main window's client area on the screen: the window's own top-left corner comes from
# the X window Wine keeps for it, the client origin from where the background colour starts
# (between the browse button, at client x 10..70, and the folder box, from x 80).
e2e_calibrate() {
  local shot
  read -r E2E_WIN_X E2E_WIN_Y E2E_WIN_W E2E_WIN_H <<<"$(e2e_window_rect "$E2E_TITLE_MAIN")"
  shot=$E2E_DIR/calibrate.png
  e2e_shot "$shot"
  local n
  n=$(e2e_pixels "$shot" v $((E2E_WIN_X + 78)) "$E2E_WIN_Y" 120 | grep -n -m1 "^$E2E_COLOR_RGB\$" | cut -d: -f1)
  [ -n "$n" ] || e2e_die "no client area below the window's top at $E2E_WIN_X,$E2E_WIN_Y"
  E2E_CLIENT_Y=$((E2E_WIN_Y + n - 1))
  n=$(e2e_pixels "$shot" h "$E2E_WIN_X" $((E2E_CLIENT_Y + 3)) 40 | grep -n -m1 "^$E2E_COLOR_RGB\$" | cut -d: -f1)
  [ -n "$n" ] || e2e_die "no client area right of the window's left edge"
  E2E_CLIENT_X=$((E2E_WIN_X + n - 1))
  e2e_log "window at $E2E_WIN_X,$E2E_WIN_Y, client area at $E2E_CLIENT_X,$E2E_CLIENT_Y"
}

e2e_click_client() {
  xdotool mousemove $((E2E_CLIENT_X + $1)) $((E2E_CLIENT_Y + $2)) click 1
  sleep 0.3
}

# The folder box is at client x 80, y 10, 20 pixels high.
e2e_type_folder() {
  e2e_click_client 200 20
  # Select what is there, so the typed text replaces it.
  xdotool key End shift+Home
  xdotool type --delay 20 "$1"
  sleep 0.3
}

# Alt+F, E: the access keys of the File menu and its Start item.
e2e_scan() {
  xdotool key alt+f
  sleep 0.3
  xdotool key e
  sleep 0.3
}

# Saves the list through the Save dialog as the Unix path $1. While a scan runs the Save item is
# greyed and no dialog opens; then the menu is closed and the keys are tried again, so this also
# waits for the end of a scan (at most about $2 seconds).
e2e_save_list() {
  local target=$1 limit=${2:-120} start=$SECONDS
  rm -f "$target"
  while ((SECONDS - start < limit)); do
    xdotool key alt+f
    sleep 0.3
    xdotool key s
    if e2e_wait_window "$E2E_TITLE_SAVE" 3; then
      sleep 0.3
      # A later Save proposes the path chosen before: replace it.
      xdotool key End shift+Home
      xdotool type --delay 20 "$(e2e_winpath "$target")"
      xdotool key Return
      e2e_wait_gone "$E2E_TITLE_SAVE" 20 || e2e_die "the Save dialog did not close"
      e2e_wait_file_complete "$target" 20 || e2e_die "no export file $target"
      return 0
    fi
    xdotool key Escape
    sleep 0.2
    xdotool key Escape
    sleep 0.5
  done
  e2e_die "the Save dialog never opened"
}

# The file exists and its size stays put for a moment.
e2e_wait_file_complete() {
  local file=$1 limit=${2:-20} last=-1 size i
  for ((i = 0; i < limit * 4; i++)); do
    if [ -f "$file" ]; then
      size=$(stat -c %s "$file")
      [ "$size" = "$last" ] && return 0
      last=$size
    fi
    sleep 0.25
  done
  return 1
}

# Alt+F, X: the Exit item; the settings file is written as the window goes.
e2e_close_by_keys() {
  xdotool key alt+f
  sleep 0.3
  xdotool key x
  e2e_wait_exit 30 || e2e_die "FILORA did not end after Exit"
}

# Header of the list: the list sits at client x 10, y 40; $2 is the space-separated list of the
# 17 column widths in pixels (as in the settings file).
e2e_click_header() {
  local col=$1 x=11 c=0 w
  for w in $2; do
    ((c == col)) && break
    x=$((x + w))
    c=$((c + 1))
  done
  w=$(echo "$2" | cut -d' ' -f$((col + 1)))
  e2e_click_client $((x + w / 2)) 48
  # Apart from the next click by more than the double-click time.
  sleep 0.8
}

# Finds the text lines of the list from a screenshot: every run of pixel rows with dark pixels in
# the name column, below the list's top border. The first run is the header, each further run one
# row. Sets E2E_ROW_Y (screen y of the middle of each row, from the top).
e2e_measure_rows() {
  local shot=$E2E_DIR/rows.png y0=$((E2E_CLIENT_Y + 42)) h=300
  e2e_shot "$shot"
  mapfile -t E2E_ROW_Y < <(
    convert "$shot" -crop 80x$h+$((E2E_CLIENT_X + 14))+$y0 +repage -colorspace gray -threshold 50% \
      -negate -filter box -resize 1x$h\! -depth 8 txt:- |
      sed -n 's/^0,\([0-9]*\): *(\([0-9]*\).*/\1 \2/p' |
      awk -v y0="$y0" '
        $2 > 0 && start < 0 { start = $1 }
        $2 == 0 && start >= 0 { runs++; if (runs > 1) print y0 + int((start + $1 - 1) / 2); start = -1 }
        BEGIN { start = -1 }')
  ((${#E2E_ROW_Y[@]} > 0)) || e2e_die "no rows seen in the list"
}

# Clicks list row $1 (0 = top) in its name column; extra xdotool key names to hold (e.g. shift).
e2e_click_row() {
  local row=$1 mod=${2:-}
  local y=${E2E_ROW_Y[$row]:?row $row is not on the screen}
  xdotool mousemove $((E2E_CLIENT_X + 40)) "$y"
  [ -n "$mod" ] && xdotool keydown "$mod"
  xdotool click 1
  [ -n "$mod" ] && xdotool keyup "$mod"
  sleep 0.3
}

# Sets the access and modify times (UTC texts) of files.
e2e_touch() {
  local mtime=$1 atime=$2
  shift 2
  touch -m -d "$mtime" "$@"
  touch -a -d "$atime" "$@"
}

# The local time text FILORA shows for a file's time: "full" with time of day, "date" without.
e2e_local_time() {
  if [ "$2" = full ]; then date -d "$1" '+%Y-%m-%d %H:%M:%S'; else date -d "$1" '+%Y-%m-%d'; fi
}

# One export line from 17 UTF-8 field texts: quoted, comma separated, CR LF, code page 932.
e2e_csv_line() {
  local out= f sep=
  for f in "$@"; do
    out+="$sep\"${f//\"/\"\"}\""
    sep=,
  done
  printf '%s\r\n' "$out" | iconv -f UTF-8 -t CP932
}

# Size cell: the byte count right-aligned in 10 characters.
e2e_size() { printf '%10d' "$1"; }

# file:// address of a Unix path, every byte outside the unreserved set percent-encoded.
e2e_file_uri() {
  local hex out=file://
  for hex in $(printf '%s' "$1" | od -An -v -tx1); do
    case $hex in
      2[dDeEfF] | 3[0-9] | 4[1-9a-fA-F] | 5[0-9aA] | 5[fF] | 6[1-9a-fA-F] | 7[0-9aA] | 7[eE]) out+=$(printf "\\x$hex") ;;
      *) out+=%${hex^^} ;;
    esac
  done
  printf '%s' "$out"
}

# Builds the XDND drop source (an X client of our own; needs a C compiler and the Xlib headers).
e2e_build_dropper() {
  E2E_DROPPER=$E2E_DIR/xdnd_drop
  cc -O -o "$E2E_DROPPER" "$E2E_LIB_DIR/xdnd_drop.c" -lX11 ||
    e2e_die "cannot build the drop source (cc and libx11-dev are needed)"
}

# Drops Unix paths at client point $1,$2 of the main window, as a file manager would.
# Returns the drop source's verdict: 0 taken, 1 refused.
e2e_drop_at_client() {
  local x=$((E2E_CLIENT_X + $1)) y=$((E2E_CLIENT_Y + $2)) p uris=()
  shift 2
  for p in "$@"; do uris+=("$(e2e_file_uri "$p")"); done
  xdotool mousemove "$x" "$y"
  "$E2E_DROPPER" "$(e2e_find_window "$E2E_TITLE_MAIN")" "$x" "$y" "${uris[@]}"
  local rc=$?
  sleep 0.5
  return $rc
}

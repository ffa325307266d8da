# Sourced by the end-to-end journey and scripts/screenshots.sh: a private copy of FILORA.EXE (its
# own FILORA.INI) under Wine on a private Xvfb, driven through X input events. Wine's virtual
# desktop sits at the screen's origin (scripts/wine-env.sh): its coordinates are the screen's.
E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)

e2e_die() { echo "[e2e] FAIL: $*" >&2; import -window root "$E2E_DIR/failure.png"; E2E_KEEP=1; exit 1; }
# Runs COMMAND every 0.1 s until it succeeds, for at most LIMIT seconds.
e2e_poll() { local i; for ((i = 0; i < $1 * 10; i++)); do "${@:2}" && return 0; sleep 0.1; done; return 1; }
e2e_until() { e2e_poll "$1" "${@:3}" || e2e_die "no $2 after $1 s"; }

e2e_cleanup() {
  wineserver -k >/dev/null 2>&1
  [ -n "${E2E_XVFB:-}" ] && kill "$E2E_XVFB" 2>/dev/null && wait "$E2E_XVFB"
  if [ -n "${E2E_KEEP:-}" ]; then echo "[e2e] kept $E2E_DIR" >&2; else rm -rf "$E2E_DIR"; fi
}

e2e_init() {
  [ -f "${1:-}/FILORA.EXE" ] || { echo "usage: $0 DIR_WITH_FILORA.EXE" >&2; exit 1; }
  source "$E2E_ROOT/scripts/wine-env.sh"
  E2E_DIR=$(mktemp -d /tmp/filora-e2e.XXXXXX)
  mkdir "$E2E_DIR/app" && cp "$1/FILORA.EXE" "$E2E_DIR/app/"
  trap e2e_cleanup EXIT && trap 'exit 1' INT TERM HUP
  # Never the caller's screen; Xvfb picks a free display itself, so parallel runs cannot meet.
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$E2E_DIR/display" 2>/dev/null &
  E2E_XVFB=$!
  e2e_until 10 "Xvfb" test -s "$E2E_DIR/display"
  local n && read -r n <"$E2E_DIR/display" && export DISPLAY=:$n
  filora_ensure_prefix
  # A session of this prefix left from elsewhere would keep its desktop on another display.
  wineserver -k >/dev/null 2>&1
}

# Z:\ is the whole Unix file system in every Wine prefix.
e2e_winpath() { printf 'Z:%s' "${1//\//\\}"; }
e2e_window() { xdotool search --name "^$1\$" 2>/dev/null | head -n1; }
e2e_shown() { [ -n "$(e2e_window "$1")" ]; }
e2e_gone() { [ -z "$(e2e_window "$1")" ]; }
e2e_ended() { ! kill -0 "$E2E_PID" 2>/dev/null; }

e2e_start() {
  (cd "$E2E_DIR/app" && exec wine FILORA.EXE >"$E2E_DIR/wine.log" 2>&1 </dev/null) &
  E2E_PID=$!
  e2e_until 90 "main window" e2e_shown FILORA
  sleep 1.5 # the first paint
}

# Alt+F, S until the Save dialog opens: while a scan runs the item is greyed and nothing opens,
# so this also waits for the end of a scan.
e2e_open_save() {
  local i
  for ((i = 0; i < 30; i++)); do
    xdotool key alt+f sleep 0.3 key s
    e2e_poll 3 e2e_shown 名前を付けて保存 && sleep 0.3 && return 0
    xdotool key Escape sleep 0.2 key Escape sleep 0.5
  done
  e2e_die "Save dialog (the scan never ended?)"
}
e2e_save_closed() { e2e_until 20 "closing of the Save dialog" e2e_gone 名前を付けて保存; }

# Alt+F, E; returns once the scan is over, the Save dialog having opened (and been cancelled).
e2e_scan() { xdotool key alt+f sleep 0.3 key e; e2e_open_save; xdotool key Escape; e2e_save_closed; }

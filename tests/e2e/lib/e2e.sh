# Shared with scripts/screenshots.sh: a private copy of FILORA.EXE (own FILORA.INI) under Wine on a private
# Xvfb, driven by X input events. Wine's desktop sits at the screen's origin (scripts/wine-env.sh).
# e2e_until SECONDS WHAT COMMAND...: COMMAND every 0.1 s till it succeeds; else fails naming WHAT (1 if WHAT is "")
e2e_until() {
  local end=$((SECONDS + $1)); until "${@:3}"; do ((SECONDS < end)) && sleep 0.1 && continue; [ -n "$2" ] || return 1
    echo "[e2e] FAIL: no $2 after $1 s" >&2; import -window root "$E2E_DIR/failure.png"; E2E_KEEP=1; exit 1; done
}
e2e_cleanup() {
  wineserver -k >/dev/null 2>&1; filora_stop_xvfb
  if [ -n "${E2E_KEEP:-}" ]; then echo "[e2e] kept $E2E_DIR" >&2; else rm -rf "$E2E_DIR"; fi
}
e2e_init() {
  [ -f "${1:-}/FILORA.EXE" ] || { echo "usage: $0 DIR_WITH_FILORA.EXE" >&2; exit 1; }
  source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/wine-env.sh"
  E2E_DIR=$(mktemp -d /tmp/filora-e2e.XXXXXX) && mkdir "$E2E_DIR/app" && cp "$1/FILORA.EXE" "$E2E_DIR/app/"
  trap e2e_cleanup EXIT && trap 'exit 1' INT TERM HUP
  unset DISPLAY && filora_start_xvfb || exit 1 # a private one, never the caller's own screen
  filora_ensure_prefix; wineserver -k >/dev/null 2>&1 || : # a session from elsewhere keeps another display
}
e2e_window() { xdotool search --name "^$1\$" 2>/dev/null | head -n1; }
e2e_shown() { [ -n "$(e2e_window "$1")" ]; }
e2e_gone() { ! e2e_shown "$1"; }
e2e_ended() { ! kill -0 "$E2E_PID" 2>/dev/null; }
e2e_start() {
  (cd "$E2E_DIR/app" && exec "$(filora_loader FILORA.EXE)" FILORA.EXE >"$E2E_DIR/wine.log" 2>&1 </dev/null) &
  E2E_PID=$! && e2e_until 90 "main window" e2e_shown FILORA && sleep 1.5 # the first paint
}
e2e_save() { # Alt+F, S, once; the item is greyed while a scan runs, so retrying it waits for the scan's end
  xdotool key alt+f sleep 0.3 key s && e2e_until 3 "" e2e_shown 名前を付けて保存 && sleep 0.3 && return
  xdotool key Escape sleep 0.2 key Escape sleep 0.5 && false
}
e2e_saved() { xdotool key "$1" && e2e_until 20 "closing of the Save dialog" e2e_gone 名前を付けて保存; } # KEY
e2e_scan() { # Alt+F, E; returns once the scan is over (the Save dialog opened, then cancelled)
  xdotool key alt+f sleep 0.3 key e && e2e_until 120 "Save dialog after the scan" e2e_save && e2e_saved Escape
}

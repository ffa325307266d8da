# Sourced by the scripts that run Windows programs: one Wine prefix under the build folder,
# code page 932 through the Japanese locale, and an X display (Xvfb when there is none).
FILORA_ROOT=${FILORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${FILORA_WINEPREFIX:-$FILORA_ROOT/build/wineprefix}
export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

filora_xvfb_pid=
filora_start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  # Xvfb picks a free display itself, so runs started together never share one.
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$fd_file" >/dev/null 2>&1 &
  filora_xvfb_pid=$!
  local i n=
  for i in $(seq 1 100); do
    read -r n <"$fd_file" 2>/dev/null
    [ -n "$n" ] && break
    sleep 0.1
  done
  rm -f "$fd_file"
  if [ -z "$n" ]; then
    kill "$filora_xvfb_pid" 2>/dev/null
    echo "could not start Xvfb" >&2
    return 1
  fi
  export DISPLAY=:$n
}

filora_stop_xvfb() {
  if [ -n "$filora_xvfb_pid" ]; then
    wineserver -k >/dev/null 2>&1 || true
    kill "$filora_xvfb_pid" 2>/dev/null || true
    wait "$filora_xvfb_pid" 2>/dev/null || true
  fi
}

# Creates the prefix on first use (about 20 s), once even when several runs start together.
# Windows live in a virtual desktop: without a window manager Wine otherwise waits about 2 s
# for every top-level window it hides or destroys, and the desktop draws real title bars.
filora_ensure_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.filora-ready-2" ]; then
      echo "creating Wine prefix $WINEPREFIX" >&2
      wineboot -i >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
      # The dialogs name the Japanese proportional Gothic; map it to the installed IPA font.
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d IPAGothic /f >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.filora-ready-2"
    fi
    if [ ! -f "$WINEPREFIX/.filora-ready-3" ]; then
      # A program that crashes ends with the debugger's backtrace instead of waiting in a crash
      # dialog until the run's time limit.
      wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.filora-ready-3"
    fi
    # Wine draws the caption buttons with the Marlett font, which fonts-wine has but a prefix
    # does not pick up by itself; without it the buttons show as the letters 0, 1 and r.
    local fonts=$WINEPREFIX/drive_c/windows/Fonts
    if [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
      mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
    fi
  ) 9>"$WINEPREFIX.lock"
}

# Sourced by the scripts that run Windows programs: one 64-bit Wine prefix under the build folder
# for the 64-bit and (where the host runs them) the 32-bit programs, code page 932 through the
# Japanese locale, and an X display (Xvfb when there is none).
FILORA_ROOT=${FILORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${FILORA_WINEPREFIX:-$FILORA_ROOT/build/wineprefix64}
# Debian's wine32 and wine64 loaders. The plain `wine` command prefers the 32-bit one even for a
# 64-bit program, and that one cannot start on a host that runs no 32-bit code.
FILORA_WINE32=/usr/lib/wine/wine
FILORA_WINE64=/usr/lib/wine/wine64
export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

# Whether this host runs 32-bit x86 programs (some kernels have that switched off), found out by
# trying a tiny one. FILORA_NO_32BIT=1 makes any host answer no. Says why not on stdout.
filora_host_runs_32bit() {
  if [ "${FILORA_NO_32BIT:-0}" = 1 ]; then
    echo "FILORA_NO_32BIT=1 is set"
    return 1
  fi
  local dir out
  dir=$(mktemp -d)
  printf '.globl _start\n_start: movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' >"$dir/exit.s"
  if ! as --32 -o "$dir/exit.o" "$dir/exit.s" 2>/dev/null || ! ld -m elf_i386 -o "$dir/exit" "$dir/exit.o" 2>/dev/null; then
    rm -rf "$dir"
    echo "no 32-bit test program could be made (binutils' as --32 and ld -m elf_i386)"
    return 1
  fi
  out=$(LC_ALL=C; "$dir/exit" 2>&1) && { rm -rf "$dir"; return 0; }
  rm -rf "$dir"
  echo "this host runs no 32-bit code (a 32-bit program: ${out##*: })"
  return 1
}

# "i386" or "x86_64": the machine a Windows program is built for, from its PE header.
filora_pe_machine() {
  local pe
  pe=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  case $(od -An -tx2 -j$((pe + 4)) -N2 "$1" 2>/dev/null | tr -d ' ') in
    014c) echo i386 ;;
    8664) echo x86_64 ;;
    *) echo unknown ;;
  esac
}

# The Wine loader for a Windows program: the one of its own machine.
filora_loader() {
  if [ "$(filora_pe_machine "$1")" = x86_64 ]; then echo "$FILORA_WINE64"; else echo "$FILORA_WINE32"; fi
}
filora_wine() { "$(filora_loader "$1")" "$@"; }

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

# Creates the prefix on first use (about 20 s), once even when several runs start together. It is
# made and set up by the 64-bit loader, which runs on every host.
# Windows live in a virtual desktop: without a window manager Wine otherwise waits about 2 s
# for every top-level window it hides or destroys, and the desktop draws real title bars.
filora_ensure_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.filora-ready-64" ]; then
      echo "creating Wine prefix $WINEPREFIX" >&2
      local reg=("$FILORA_WINE64" reg add)
      WINEARCH=win64 "$FILORA_WINE64" wineboot -i >/dev/null 2>&1
      "${reg[@]}" 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
      "${reg[@]}" 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
      # The dialogs name the Japanese proportional Gothic; map it to the installed IPA font.
      "${reg[@]}" 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null 2>&1
      "${reg[@]}" 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d IPAGothic /f >/dev/null 2>&1
      # A program that crashes ends with the debugger's backtrace instead of waiting in a crash
      # dialog until the run's time limit.
      "${reg[@]}" 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.filora-ready-64"
    fi
    # Wine draws the caption buttons with the Marlett font, which fonts-wine has but a prefix
    # does not pick up by itself; without it the buttons show as the letters 0, 1 and r.
    local fonts=$WINEPREFIX/drive_c/windows/Fonts
    if [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
      mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
    fi
  ) 9>"$WINEPREFIX.lock"
}

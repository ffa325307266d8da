#!/usr/bin/env bash
# Installs what building and testing FILORA needs on Debian 12. Quick when all is there.
# Both Windows builds are made everywhere; Wine's 32-bit loader (wine32, from the i386
# architecture) is installed only where the host runs 32-bit code.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

need_pkgs=()
want() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed' || need_pkgs+=("$1"); }
install_wanted() {
  if [ ${#need_pkgs[@]} -gt 0 ]; then
    echo "setup: installing ${need_pkgs[*]}"
    sudo_ apt-get update -qq
    DEBIAN_FRONTEND=noninteractive sudo_ apt-get install -y -qq --no-install-recommends "${need_pkgs[@]}" >/dev/null
    need_pkgs=()
  fi
}

for p in cmake make g++ binutils clang libclang-rt-14-dev googletest \
         g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev \
         g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev \
         wine wine64 fonts-wine xvfb xauth x11-utils xdotool imagemagick locales fonts-ipafont-gothic unzip; do
  want "$p"
done
install_wanted

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8"
  sudo_ sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | sudo_ tee -a /etc/locale.gen >/dev/null
  sudo_ locale-gen >/dev/null
fi

if (source "$root/scripts/wine-env.sh" && filora_host_runs_32bit >/dev/null); then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_ dpkg --add-architecture i386
  fi
  want wine32:i386
  install_wanted
fi

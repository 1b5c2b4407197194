#!/usr/bin/env bash
# Installs what building, running and testing need on a Debian machine, and nothing twice.
set -euo pipefail
# clang and its runtime for the fuzz targets (make fuzz): --no-install-recommends leaves out
# libclang-rt-14-dev, which holds libFuzzer.
packages=(cmake ninja-build g++ make googletest python3 clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
  binutils-mingw-w64-x86-64 wine wine64 wine32:i386 fonts-wine xvfb x11-apps imagemagick)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing; quick and
# quiet when everything is there.
set -euo pipefail

packages=()
need() {  # need COMMAND-OR-FILE PACKAGE
  if [[ "$1" == /* ]]; then
    [[ -e "$1" ]] || packages+=("$2")
  else
    command -v "$1" >/dev/null 2>&1 || packages+=("$2")
  fi
}

need cmake cmake
need ninja ninja-build
need g++ g++
need clang++ clang
need clang-format clang-format
need x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
need x86_64-w64-mingw32-windres binutils-mingw-w64-x86-64
need wine wine
need /usr/lib/wine/wine64 wine64
need Xvfb xvfb
need xset x11-xserver-utils
need import imagemagick
need xdotool xdotool
need zip zip
need unzip unzip
need help2man help2man
need dpkg-shlibdeps dpkg-dev
need groff groff-base
need /usr/src/googletest/CMakeLists.txt googletest
need /usr/include/CLI/CLI.hpp libcli11-dev
need /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a libclang-rt-14-dev

if ((${#packages[@]} > 0)); then
  echo "Installing: ${packages[*]}"
  sudo=()
  [[ $(id -u) == 0 ]] || sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq "${packages[@]}" >/dev/null
fi

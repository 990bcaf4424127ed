#!/usr/bin/env bash
# Checks the Debian package of the command line: deb-test.sh PACKAGE.deb
# Unpacked into a scratch root, its program tells its version and its manual page
# renders; it depends on nothing but the libraries the program links.
set -euo pipefail
deb=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -c "$deb"
dpkg-deb -f "$deb" Package Version Depends
dpkg -x "$deb" "$root"
version=$(dpkg-deb -f "$deb" Version)
[[ $("$root/usr/bin/zq347cli" --version) == "zq347cli $version" ]]
page=$root/usr/share/man/man1/zq347cli.1.gz
if command -v man >/dev/null; then
  rendered=$(MANWIDTH=80 man -l "$page" 2>&1)
else
  rendered=$(zcat "$page" | groff -man -Tutf8 2>&1)
fi
# The page holds every subcommand's options, and roff found nothing to complain about.
grep -q -- "--settings-dir" <<<"$rendered"
grep -q -- "--verify" <<<"$rendered"
if grep -i "warning" <<<"$rendered"; then
  exit 1
fi
# Only the run-time libraries: the C and C++ libraries and GCC's support library.
[[ -z $(dpkg-deb -f "$deb" Depends | tr ',' '\n' | grep -v -E '^ *(libc6|libstdc\+\+6|libgcc-s1)( |$)') ]]
echo "$deb: installs, runs --version, its manual page renders"

#!/bin/sh
# Installs the cross compilers, Wine with its fonts, the test tools and the
# packaging tools (NSIS, zip, python3-markdown, debootstrap) and chromium (which reads
# hourwright-report's HTML) when any is missing,
# then the sanitizer runtime of the clang that is installed (libclang-rt-N-dev:
# each Debian release ships its own N).
# Safe to run again: it does nothing once everything is there.
set -e
PACKAGES="cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 wine fonts-wine xvfb xauth googletest imagemagick g++ clang xdotool python3 nsis zip unzip python3-markdown debootstrap chromium faketime"
SUDO=""
[ "$(id -u)" = 0 ] || SUDO=sudo
updated=""

install_missing() {
  missing=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "installing:$missing"
  [ -n "$updated" ] || { $SUDO apt-get update; updated=1; }
  # shellcheck disable=SC2086 # one word per package
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
}

install_missing $PACKAGES
# The native sanitizer build runs clang++; its runtime must be of its version.
install_missing "libclang-rt-$(clang++ -dumpversion | cut -d. -f1)-dev"

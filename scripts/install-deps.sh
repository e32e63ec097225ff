#!/bin/sh
# Installs the cross compilers, Wine with its fonts, the test tools and the
# packaging tools (NSIS, zip, python3-markdown, debootstrap) and chromium (which
# reads hourwright-report's HTML) when any is missing.
# Safe to run again: it does nothing once everything is there.
set -e
PACKAGES="cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 wine fonts-wine xvfb xauth googletest imagemagick g++ clang xdotool python3 nsis zip unzip python3-markdown debootstrap libclang-rt-14-dev chromium"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "installing:$missing"
SUDO=""
[ "$(id -u)" = 0 ] || SUDO=sudo
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing

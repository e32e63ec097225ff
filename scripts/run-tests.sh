#!/bin/sh
# Runs the test program under Wine inside a private X server. As root it also
# mounts a tiny tmpfs so the storage tests can meet a real full disk.
set -e
BUILD="$1"
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
full="$BUILD/fulldisk"
mkdir -p "$full"
if [ "$(id -u)" = 0 ] && ! mountpoint -q "$full"; then
  mount -t tmpfs -o size=64k tmpfs "$full" 2>/dev/null || echo "note: cannot mount a tmpfs; the full-disk case will be skipped"
fi
if mountpoint -q "$full"; then
  export HOURWRIGHT_FULL_DISK_DIR="$full"
  trap 'umount "$full" 2>/dev/null || true' EXIT
fi
export HOURWRIGHT_SCREENSHOT="$BUILD/main-window.bmp"
export HOURWRIGHT_ABOUT_SCREENSHOT="$BUILD/about.bmp"
rm -f "$HOURWRIGHT_SCREENSHOT" "$HOURWRIGHT_ABOUT_SCREENSHOT"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" sh -c "cd '$BUILD/win64' && ctest --output-on-failure" || status=$?
if [ -f "$HOURWRIGHT_SCREENSHOT" ]; then
  convert "$HOURWRIGHT_SCREENSHOT" "$BUILD/main-window.png" && echo "screenshot of the logging window: $BUILD/main-window.png"
fi
if [ -f "$HOURWRIGHT_ABOUT_SCREENSHOT" ]; then
  convert "$HOURWRIGHT_ABOUT_SCREENSHOT" "$BUILD/about.png" && echo "screenshot of the About box: $BUILD/about.png"
fi
exit $status

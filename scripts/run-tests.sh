#!/bin/sh
# Runs the test program under Wine inside a private X server: the 64-bit build
# with the machine's Wine, or with `win32` the 32-bit build with the Wine of the
# chroot (see wine32-chroot.sh). As root it also mounts a tiny tmpfs so the
# storage tests can meet a real full disk.
set -e
BUILD="$1"
ARCH="${2:-win64}"
suffix=""
[ "$ARCH" = win32 ] && export HOURWRIGHT_WINE32=1 && suffix="-32"
. "$(dirname "$0")/wine-env.sh"
full="$BUILD/fulldisk$suffix"
mkdir -p "$full"
# The 32-bit tests see the folder through the chroot's bind mount of the tree.
mnt="$full"
[ "$ARCH" = win32 ] && mnt="$("$root/scripts/wine32-chroot.sh" root)$full"
if [ "$(id -u)" = 0 ] && ! mountpoint -q "$mnt"; then
  mount -t tmpfs -o size=64k tmpfs "$mnt" 2>/dev/null || echo "note: cannot mount a tmpfs; the full-disk case will be skipped"
fi
if mountpoint -q "$mnt"; then
  export HOURWRIGHT_FULL_DISK_DIR="$full"
  trap 'umount "$mnt" 2>/dev/null || true' EXIT
fi
export HOURWRIGHT_VERSION_FILE="$root/VERSION"
export HOURWRIGHT_SCREENSHOT="$BUILD/main-window$suffix.bmp"
export HOURWRIGHT_ABOUT_SCREENSHOT="$BUILD/about$suffix.bmp"
rm -f "$HOURWRIGHT_SCREENSHOT" "$HOURWRIGHT_ABOUT_SCREENSHOT"
status=0
in_xvfb sh -c "cd '$BUILD/$ARCH' && ctest --output-on-failure" || status=$?
if [ -f "$HOURWRIGHT_SCREENSHOT" ]; then
  png="$BUILD/main-window$suffix.png"
  convert "$HOURWRIGHT_SCREENSHOT" "$png" && echo "screenshot of the logging window: $png"
fi
if [ -f "$HOURWRIGHT_ABOUT_SCREENSHOT" ]; then
  convert "$HOURWRIGHT_ABOUT_SCREENSHOT" "$BUILD/about$suffix.png" && echo "screenshot of the About box: $BUILD/about$suffix.png"
fi
exit $status

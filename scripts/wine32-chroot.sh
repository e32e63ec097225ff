#!/bin/sh
# The 32-bit Wine this machine can run: a Debian trixie chroot holding Wine 10
# with wine32, its 32-bit ELF loader handed by the kernel to the chroot's
# qemu-i386 (binfmt_misc with the F flag, so the interpreter is opened at
# registration and works inside the chroot too). Run as root.
#
#   wine32-chroot.sh setup [DIR...]  build the chroot when missing (about 5 min
#                                    and 2.5 GB the first time), then mount
#   wine32-chroot.sh on [DIR...]     bind-mount /proc /sys /dev /tmp and each DIR
#                                    at its own path, register qemu-i386
#   wine32-chroot.sh off             undo every mount under the chroot and the
#                                    kernel-wide registration made by `on`
#   wine32-chroot.sh root            print where the chroot lives
#   wine32-chroot.sh run CMD...      run CMD (wine, wineserver, ...) inside, in
#                                    the current folder, keeping WINE*, DISPLAY,
#                                    XAUTHORITY and HOURWRIGHT_* variables
#
# The chroot lives outside any work tree, so that every clone shares it and no
# `make clean` can ever delete through its bind mounts.
set -e
ROOT="${HOURWRIGHT_WINE32_ROOT:-/var/cache/hourwright/wine32-trixie}"
MIRROR="${HOURWRIGHT_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
BINFMT="${HOURWRIGHT_BINFMT:-/proc/sys/fs/binfmt_misc}"  # another place for the self-check
READY="$ROOT/.hourwright-ready"
# The preloader keeps the low addresses free for programs without relocations
# (NSIS installers): without it qemu puts the PIE wine loader at 0x400000.
PACKAGES="wine wine64 wine32:i386 wine32-preloader:i386 qemu-user fonts-wine"

need_root() {
  [ "$(id -u)" = 0 ] || { echo "wine32-chroot.sh: must run as root (chroot, mount, binfmt_misc)" >&2; exit 1; }
}

mount_on() {
  for d in proc sys dev dev/pts tmp; do
    mountpoint -q "$ROOT/$d" || mount --bind "/$d" "$ROOT/$d"
  done
  for dir in "$@"; do
    dir=$(cd "$dir" && pwd -P)
    # Already seen inside, through the mount of a folder holding it?
    [ "$(stat -c %d:%i "$dir")" = "$(stat -c %d:%i "$ROOT$dir" 2>/dev/null)" ] && continue
    mkdir -p "$ROOT$dir"
    mount --bind "$dir" "$ROOT$dir"
  done
  mountpoint -q "$BINFMT" || mount -t binfmt_misc binfmt_misc "$BINFMT"
  conf="$ROOT/usr/share/qemu/binfmt.d/qemu-i386.conf"
  if [ -f "$conf" ] && [ ! -e "$BINFMT/qemu-i386" ]; then
    sed "s#:/usr/libexec/#:$ROOT/usr/libexec/#" "$conf" > "$BINFMT/register"
  fi
}

mount_off() {
  # Only the registration made here (its interpreter lies in the chroot): a
  # machine that had its own qemu-i386 keeps it.
  if grep -qF "interpreter $ROOT/" "$BINFMT/qemu-i386" 2>/dev/null; then
    echo -1 > "$BINFMT/qemu-i386"
  fi
  # Deepest first, so /dev/pts goes before /dev.
  awk -v root="$ROOT/" 'index($2, root) == 1 { print $2 }' /proc/mounts | sort -r |
    while read -r m; do umount "$m" || umount -l "$m"; done
  true
}

case "$1" in
  setup)
    shift; need_root
    # The marker holds the package list, so a longer list installs the rest.
    if [ "$(cat "$READY" 2>/dev/null)" = "$PACKAGES" ]; then mount_on "$@"; exit 0; fi
    command -v debootstrap >/dev/null || { apt-get update; apt-get install -y --no-install-recommends debootstrap; }
    echo "setting up the 32-bit Wine chroot in $ROOT (a few minutes, about 2.5 GB)"
    if [ ! -x "$ROOT/usr/bin/apt-get" ]; then
      mkdir -p "$ROOT"
      debootstrap --variant=minbase trixie "$ROOT" "$MIRROR"
    fi
    mount_on "$@"
    chroot "$ROOT" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive sh -ec "
      dpkg --add-architecture i386
      apt-get update
      apt-get install -y --no-install-recommends $PACKAGES
      apt-get clean"
    mount_on "$@"   # the qemu-i386 registration exists only now
    chroot "$ROOT" /usr/bin/wine --version
    echo "$PACKAGES" > "$READY"
    ;;
  on) shift; need_root; mount_on "$@" ;;
  root) echo "$ROOT" ;;
  off) need_root; mount_off ;;
  run)
    shift
    mkdir -p /tmp/.hourwright-wine32-xdg && chmod 700 /tmp/.hourwright-wine32-xdg
    here=$(pwd -P)
    keep=$(env | grep -E '^(WINE[A-Z0-9_]*|HOURWRIGHT_[A-Z0-9_]*|DISPLAY|XAUTHORITY|LANG|LC_ALL|TZ)=' | grep -v '[[:space:]]' || true)
    # shellcheck disable=SC2086 # the kept variables hold no blanks
    exec chroot "$ROOT" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/root \
      XDG_RUNTIME_DIR=/tmp/.hourwright-wine32-xdg $keep \
      /bin/sh -c 'cd "$0" 2>/dev/null || cd /; exec "$@"' "$here" "$@"
    ;;
  *) echo "usage: $0 setup|on [DIR...] | off | root | run CMD..." >&2; exit 2 ;;
esac

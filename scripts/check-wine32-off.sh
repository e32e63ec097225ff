#!/bin/sh
# `wine32-chroot.sh off` removes the qemu-i386 registration only when it made
# it (its interpreter lies in the chroot): checked on a stand-in binfmt_misc
# folder, so the machine's real registrations are never touched. Root only,
# as the script itself.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" = 0 ] || { echo "wine32 off check: skipped (not root)"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chroot="$work/chroot"
mkdir -p "$chroot" "$work/binfmt"
# made by the script | the machine's own | none at all
for interpreter in "$chroot/usr/libexec/qemu-binfmt/i386-binfmt-P" /usr/libexec/qemu-binfmt/i386-binfmt-P ""; do
  rm -f "$work/binfmt/qemu-i386"
  [ -z "$interpreter" ] || printf 'enabled\ninterpreter %s\nflags: POCF\n' "$interpreter" > "$work/binfmt/qemu-i386"
  before=$(cat "$work/binfmt/qemu-i386" 2>/dev/null || echo absent)
  HOURWRIGHT_WINE32_ROOT="$chroot" HOURWRIGHT_BINFMT="$work/binfmt" "$root/scripts/wine32-chroot.sh" off
  after=$(cat "$work/binfmt/qemu-i386" 2>/dev/null || echo absent)
  case "$interpreter" in
    "$chroot"/*) want=-1 ;;  # what removes a registration
    *) want=$before ;;
  esac
  [ "$after" = "$want" ] || { echo "wine32 off check: interpreter '$interpreter' left '$after'" >&2; exit 1; }
done
echo "wine32 off check: only its own qemu-i386 registration is removed"

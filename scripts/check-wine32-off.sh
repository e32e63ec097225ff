#!/bin/sh
# `wine32-chroot.sh off` removes the qemu-i386 registration only when it made
# it (its interpreter lies in the chroot), checked on a stand-in binfmt_misc
# folder so the machine's real registrations are never touched. Root only.
set -e
[ "$(id -u)" = 0 ] || { echo "wine32 off check: skipped (not root)"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
reg="$work/qemu-i386"
# made by the script: removed (-1 written) | the machine's own: kept
for case in "$work/chroot/usr/libexec/i386 -1" "/usr/libexec/i386 kept"; do
  printf 'interpreter %s\n' "${case% *}" > "$reg"
  HOURWRIGHT_WINE32_ROOT="$work/chroot" HOURWRIGHT_BINFMT="$work" "$(dirname "$0")/wine32-chroot.sh" off
  want=${case#* }; [ "$want" = kept ] && want="interpreter ${case% *}"
  [ "$(cat "$reg")" = "$want" ] || { echo "wine32 off check: ${case% *} left '$(cat "$reg")'" >&2; exit 1; }
done
echo "wine32 off check: only its own qemu-i386 registration is removed"

#!/bin/sh
# Packs the built 32-bit program for download: DIST/hourwright-<version>-win32.zip
# (a folder with the exe, the hourwright-report command, the HTML guide, README and licence) and the NSIS
# installer DIST/hourwright-<version>-setup.exe. Refuses to pack an exe whose
# version resource disagrees with the VERSION file.
# Usage: make-dist.sh BUILD DIST
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
BUILD="${1:?usage: make-dist.sh BUILD DIST}"
DIST="${2:?usage: make-dist.sh BUILD DIST}"
version=$(head -n 1 "$root/VERSION")
maker=$(sed -n 's/^#define HOURWRIGHT_MAKER_NAME "\(.*\)"$/\1/p' "$root/common/product.h")
exe="$BUILD/win32/hourwright.exe"
name="hourwright-$version"

/usr/bin/python3 - "$exe" "$version" <<'PY'
import struct, sys
exe, version = sys.argv[1:3]
data = open(exe, "rb").read()
at = data.find(struct.pack("<I", 0xFEEF04BD))
if at < 0:
    sys.exit(exe + ": no version resource")
file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", data, at + 8)
want = [int(n) for n in version.split(".")] + [0]
for label, ms, ls in (("file", file_ms, file_ls), ("product", product_ms, product_ls)):
    got = [ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF]
    if got != want:
        sys.exit("%s: %s version %s, but VERSION says %s" % (exe, label, got, version))
PY

stage="$BUILD/dist/$name"
rm -rf "$BUILD/dist"
mkdir -p "$stage" "$DIST"
cp "$exe" "$stage/hourwright.exe"
cp "$BUILD/win32/hourwright-report.exe" "$stage/hourwright-report.exe"
"$root/scripts/build-guide.sh" "$stage/hourwright-guide.html"
# Help opens the guide at these sections.
for anchor in main-window about lists-editor records-editor export; do
  grep -q "id=\"$anchor\"" "$stage/hourwright-guide.html" ||
    { echo "make-dist: the guide has no section \"$anchor\" for help" >&2; exit 1; }
done
# Notepad on older Windows wants CR LF.
sed 's/\r*$/\r/' "$root/README.md" > "$stage/README.txt"
license=""
if [ -f "$root/LICENSE" ]; then
  sed 's/\r*$/\r/' "$root/LICENSE" > "$stage/LICENSE.txt"
  license="-DLICENSE"
else
  echo "make-dist: WARNING: no LICENSE file; the packages ship without a licence" >&2
fi

rm -f "$DIST"/hourwright-*-win32.zip "$DIST"/hourwright-*-setup.exe
zip="$DIST/$name-win32.zip"
(cd "$BUILD/dist" && zip -q -X -r "$zip" "$name")
setup="$DIST/$name-setup.exe"
makensis -V2 -NOCD "-DVERSION=$version" "-DMAKER=$maker" "-DICON=$root/resources/hourwright.ico" \
  "-DSTAGE=$stage" "-DOUTFILE=$setup" $license "$root/installer/hourwright.nsi"
ls -l "$zip" "$setup"

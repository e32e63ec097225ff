#!/bin/sh
# The store and the totals core show nothing: no message box, no file dialog,
# no resource header or control id under store/ or report/. And no file that
# needs no Windows includes a header of the windows it would then depend on.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
found=$(mktemp)
trap 'rm -f "$found"' EXIT
grep -nHE 'MessageBox|Get(Open|Save)FileName|#include *["<]([a-z_]+/)?resource\.h[">]|\bID[CDM]_[A-Z0-9_]+' \
  store/* report/* >>"$found" || true
for f in $(ls */*.h */*.cpp | grep -vE '^(tests|bench|fuzz|build[^/]*)/' | grep -v '_win\.cpp$'); do
  grep -q '#include <windows.h>' "$f" && continue
  grep -nHE '#include "(common/help\.h|common/message_boxes\.h|resources/resource\.h|ui/[a-z_]+\.h)"' \
    "$f" >>"$found" || true
done
if [ -s "$found" ]; then
  echo "windows shown from below the window rooms:"
  cat "$found"
  exit 1
fi
echo "layers: store/ and report/ show no window"

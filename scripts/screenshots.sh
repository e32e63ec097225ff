#!/bin/sh
# Takes the documentation's screenshots from the real program: runs
# build/win64/hourwright.exe under Wine in a private X server and drives it
# with the mouse and keyboard (xdotool) as a user would, on a sample time
# sheet in a temporary folder. A dialog this build does not have yet is
# skipped with a note.
#   scripts/screenshots.sh [build folder]       (make screenshots)
set -e
BUILD=$(cd "${1:-build}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
exe="$BUILD/win64/hourwright.exe"
[ -f "$exe" ] || { echo "no $exe: run make build first" >&2; exit 1; }
. "$root/scripts/wine-env.sh"
[ -e "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ] || echo "note: no marlett.ttf (install fonts-wine); caption buttons will show as letters"

# The sample sheet lives in C:\Time Sheets of the prefix, so the status line
# shows a plausible path; the folder goes again when the script ends.
sheets="$WINEPREFIX/drive_c/Time Sheets"
rm -rf "$sheets"
mkdir -p "$sheets"
# No options file: the Options dialog shows the default of 15 minutes.
options="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Hourwright"
rm -rf "$options"
# The program's wall clock (libfaketime reads the offset from this file), so
# that the drive can start it on a fixed day and step over an away time.
clock="$BUILD/screenshot-clock"
trap 'rm -rf "$sheets" "$options" "$clock"' EXIT
python3 "$root/scripts/sample-time-sheet.py" "$sheets"

out="$root/docs"
in_xvfb "$root/scripts/screenshots-drive.sh" "$exe" 'C:\Time Sheets\jobs.tim' "$out" "$clock"

# hourwright-report's HTML page of a sample week, as headless chromium draws it.
page="$BUILD/report-page"
rm -rf "$page"
mkdir -p "$page/browser"
python3 "$root/scripts/report-sample.py" "$page" >/dev/null
"$BUILD/report/hourwright-report" --now 2026-03-20T12:00:00 --by day,project --format html \
  --output "$page/report.html" "$page/report.tim"
chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
  --disable-component-update --disable-sync --no-first-run --user-data-dir="$page/browser" \
  --hide-scrollbars --window-size=820,760 --screenshot="$out/report.png" \
  "file://$page/report.html" 2>/dev/null
echo "screenshot of the report page: $out/report.png"

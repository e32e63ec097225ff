#!/bin/sh
# Creates the Wine prefix the tests run in, once, and turns off the window
# manager emulation whose hide/close stalls would slow every UI test.
set -e
export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/.hourwright-ready" ] && exit 0
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w
touch "$WINEPREFIX/.hourwright-ready"

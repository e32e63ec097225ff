#!/bin/sh
# Starts the 64-bit build under Wine: on $DISPLAY when there is one, otherwise
# in a private X server, leaving a screenshot of the window in the build folder.
set -e
BUILD="$1"
. "$(dirname "$0")/wine-env.sh"
exe="$BUILD/win64/hourwright.exe"
if [ -n "$DISPLAY" ]; then
  exec wine "$exe"
fi
echo "No DISPLAY: running under Xvfb for 10 seconds; screenshot in $BUILD/screenshot.png"
in_xvfb sh -c "
  wine '$exe' & pid=\$!
  sleep 8
  import -window root '$BUILD/screenshot.png'
  kill \$pid 2>/dev/null; wineserver -k 2>/dev/null; true"
echo "screenshot: $BUILD/screenshot.png"

# Sourced by the run scripts: the Wine set-up they share. Needs BUILD (an
# absolute build folder). With HOURWRIGHT_WINE32=1 every Wine command runs in
# the 32-bit chroot of wine32-chroot.sh, which must be set up and mounted.
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEDEBUG=-all
if [ "${HOURWRIGHT_WINE32:-}" = 1 ]; then
  WINE_RUN="$root/scripts/wine32-chroot.sh run"
  export WINEPREFIX="$BUILD/wineprefix32"
else
  WINE_RUN=""
  export WINEPREFIX="$BUILD/wineprefix"
fi

# wine, wineserver, ... from the Wine this run uses.
w() { $WINE_RUN "$@"; }

# A private X server, so nothing shows on a desktop and tests cannot clash.
in_xvfb() { xvfb-run -a -s "-screen 0 1024x768x24" "$@"; }

# The prefix is made once; the window manager emulation is turned off because
# its hide/close stalls would slow every UI test.
if [ ! -f "$WINEPREFIX/.hourwright-ready" ]; then
  mkdir -p "$WINEPREFIX"
  # No Mono or Gecko installers: the tests need neither.
  env WINEDLLOVERRIDES="mscoree,mshtml=" $WINE_RUN wineboot -i >/dev/null 2>&1 || true
  w wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  w wineserver -w
  touch "$WINEPREFIX/.hourwright-ready"
fi

# The machine's Wine 8 does not look into fonts-wine's folder, and without its
# Marlett the caption buttons read "0 1 r": fonts in the prefix's own Fonts
# folder are always loaded. (The chroot's Wine 10 finds them itself.)
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -z "$WINE_RUN" ] && [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] && [ ! -e "$fonts/marlett.ttf" ]; then
  for f in /usr/share/wine/fonts/*; do
    [ -e "$fonts/${f##*/}" ] || ln -s "$f" "$fonts/"
  done
fi

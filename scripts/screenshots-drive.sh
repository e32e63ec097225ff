#!/bin/sh
# Inside the X server of screenshots.sh: starts the program and plays the
# user, saving one PNG per window into the output folder.
#   screenshots-drive.sh <exe> <time sheet as a Windows path> <output folder> <clock file>
exe="$1" sheet="$2" out="$3" clock="$4"

# The program runs on a wall clock of its own: 20 March 2026, the sample
# sheet's week, and an away time from 12:05 pm to 1:40 pm that takes no time
# to wait. Only the wall clock moves; Wine's tick count (the idle clock's)
# stays real, as over a sleep of the computer.
faketime_lib=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -1)
[ -n "$faketime_lib" ] || { echo "no libfaketime: run make deps" >&2; exit 1; }
set_clock() {
  printf '%+d\n' $(( $(date -d "$1" +%s) - $(date +%s) )) >"$clock"
  sleep 1.5  # read again within a second
}

# The X window of a visible window with this exact title, waited for up to
# $2 tenths of a second; empty when it does not show up.
find_window() {
  tries=0
  while [ "$tries" -lt "$2" ]; do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
    tries=$((tries + 1))
  done
  return 1
}

# A visible window of the program other than the main window and the tray,
# for dialogs whose title this script does not know.
find_other_window() {
  tries=0
  while [ "$tries" -lt "$1" ]; do
    for id in $(xdotool search --onlyvisible --class 'hourwright.exe' 2>/dev/null); do
      [ "$id" = "$main" ] && continue
      name=$(xdotool getwindowname "$id" 2>/dev/null)
      [ -n "$name" ] && [ "$name" != "Wine System Tray" ] && { echo "$id"; return 0; }
    done
    sleep 0.1
    tries=$((tries + 1))
  done
  return 1
}

gone() {
  tries=0
  while xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 && [ "$tries" -lt 50 ]; do
    sleep 0.1
    tries=$((tries + 1))
  done
}

# Keys go to the window under the pointer (no window manager here).
point_at() { xdotool mousemove --window "$1" 40 40; sleep 0.2; }
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.6; }
# The main window stands at 0,0; the menu titles and their items by pixel.
menu() { click "$1" 31; click "$2" "$3"; }
shot() {
  sleep 1.5  # let Wine finish painting
  import -window "$1" "$out/$2"
  echo "saved docs/$2"
}

set_clock "2026-03-20 11:55:00"
LD_PRELOAD="$faketime_lib" FAKETIME_TIMESTAMP_FILE="$clock" FAKETIME_CACHE_DURATION=1 \
  FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 wine "$exe" &
main=$(find_window Hourwright 300) || { echo "the main window did not appear" >&2; exit 1; }
sleep 1

# File > Open Timesheet, typing the sample's path into the Open dialog.
menu 18 75 52
if dialog=$(find_window "Open TimeSheet File" 100); then
  sleep 1.5
  point_at "$dialog"
  xdotool type --delay 20 "$sheet"
  xdotool key Return
  gone "Open TimeSheet File"
else
  echo "note: the Open dialog did not open; the main window shows no time sheet"
fi
sleep 1

# Log a task, typed as a user would.
point_at "$main"
xdotool key alt+t; xdotool type --delay 20 "Write user guide"
xdotool key alt+p; xdotool type --delay 20 "Hourwright 1.0"
xdotool key alt+c; xdotool type --delay 20 "Documentation"
xdotool key alt+s
sleep 1
shot "$main" main-window.png

# File > Export, with a start and a stop limit and hours and minutes.
menu 18 75 95
if dialog=$(find_window "Export a Time Sheet" 100); then
  point_at "$dialog"
  xdotool key Tab; xdotool type --delay 20 "3"
  for field in 16 2026 8 0; do xdotool key Tab; xdotool type --delay 20 "$field"; done
  xdotool key Tab Tab
  for field in 3 17 2026 18 0; do xdotool type --delay 20 "$field"; xdotool key Tab; done
  xdotool key alt+u
  shot "$dialog" export-dialog.png
  xdotool key Escape
  gone "Export a Time Sheet"
else
  echo "note: the export dialog did not open; docs/export-dialog.png not taken"
fi

# File > Totals: this year by project then task, the running task counted.
click 18 31
xdotool key t
if dialog=$(find_window "Totals - jobs.tim" 50); then
  point_at "$dialog"
  xdotool key alt+p Down Down Down Down
  xdotool key alt+t Down Down
  xdotool key alt+p
  shot "$dialog" totals.png
  # Rates..., reached with Tab from the period (the dates are off): a rate
  # per project and the currency, then the window with its amounts.
  xdotool key Tab Tab Tab Tab Tab Tab space
  if rates=$(find_window "Rates" 50); then
    point_at "$rates"
    xdotool key alt+r; xdotool type --delay 20 "92.50"
    xdotool key alt+p Down alt+r; xdotool type --delay 20 "110"
    xdotool key alt+p Down alt+r; xdotool type --delay 20 "85"
    xdotool key alt+u; xdotool type --delay 20 "EUR"
    shot "$rates" rates-dialog.png
    xdotool key Return
    gone "Rates"
    point_at "$dialog"
    shot "$dialog" totals-amounts.png
  else
    echo "note: the Rates dialog did not open; docs/totals-amounts.png not taken"
  fi
  xdotool key Escape
  gone "Totals - jobs.tim"
else
  xdotool key Escape
  echo "note: this build has no Totals window yet; docs/totals.png not taken"
fi

# Edit Lists > Time Entries, with the first record selected.
menu 67 100 69
if dialog=$(find_window "Edit Time Records" 50); then
  point_at "$dialog"
  xdotool key Down
  shot "$dialog" records-editor.png
  # The first record in the record form.
  xdotool key alt+e
  if form=$(find_window "Edit A Time Record" 50); then
    shot "$form" record-form.png
    point_at "$form"
    xdotool key Escape
    gone "Edit A Time Record"
  fi
  point_at "$dialog"
  xdotool key Escape
  gone "Edit Time Records"
else
  echo "note: this build has no time records editor yet; docs/records-editor.png not taken"
fi

# Edit Lists > Task Lists, showing the projects.
menu 67 100 52
if dialog=$(find_window "Modify List Descriptions" 50); then
  point_at "$dialog"
  xdotool key alt+s Down
  shot "$dialog" lists-editor.png
  xdotool key Escape
  gone "Modify List Descriptions"
else
  echo "note: this build has no lists editor yet; docs/lists-editor.png not taken"
fi

# File > Options, as it comes: ask after 15 minutes. Chosen by its underlined
# letter: Totals stands above it.
click 18 31
xdotool key p
if dialog=$(find_window "Options" 50); then
  point_at "$dialog"
  xdotool key End  # the value unselected reads better
  shot "$dialog" options-dialog.png
  xdotool key Escape
  gone "Options"
  # The last input at 12:05; once a check (every 30 s) has seen it, the clock
  # moves on to 1:40 and End Task, the first act back, asks first.
  set_clock "2026-03-20 12:05:00"
  point_at "$main"
  xdotool mousemove --window "$main" 60 60
  echo "waiting 35 s for the away-time check to see the last input"
  sleep 35
  set_clock "2026-03-20 13:40:00"
  xdotool key alt+e
  if dialog=$(find_window "Away Time" 100); then
    shot "$dialog" away-time.png
    point_at "$dialog"
    xdotool key Escape
    gone "Away Time"
  else
    echo "note: the away-time question did not appear; docs/away-time.png not taken"
  fi
else
  echo "note: this build has no Options dialog yet; docs/away-time.png not taken"
fi

# Help > About.
menu 119 140 69
if dialog=$(find_other_window 50); then
  shot "$dialog" about.png
  point_at "$dialog"
  xdotool key Escape
else
  echo "note: this build has no About box yet; docs/about.png not taken"
fi

wineserver -k 2>/dev/null || true

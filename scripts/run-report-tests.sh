#!/bin/sh
# hourwright-report end to end on one sample sheet: every format from the
# native build, read back by python's json and csv and by headless chromium;
# the Windows exe under Wine must give the same JSON; the failures give their
# exit codes and write nothing.
set -e
BUILD="$1"
. "$(dirname "$0")/wine-env.sh"
work="$BUILD/report-tests"
rm -rf "$work"
mkdir -p "$work/browser"
expected=$(python3 "$root/scripts/report-sample.py" "$work")
native="$BUILD/report/hourwright-report"
sheet="$work/report.tim"
run() { "$native" --period all --now 2026-03-20T12:00:00 "$@"; }
for format in table csv tsv json html; do
  run --by project,task --format $format "$sheet" >"$work/out.$format"
done
run --by project,task --format json --output "$work/written.json" "$sheet"
cmp "$work/out.json" "$work/written.json"
chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
  --disable-component-update --disable-sync --no-first-run --user-data-dir="$work/browser" \
  --dump-dom "file://$work/out.html" >"$work/dom.html" 2>"$work/chromium.log"
(cd "$work/browser" && w wine "$BUILD/win64/hourwright-report.exe" --period all \
  --now 2026-03-20T12:00:00 --by project,task --format json 'Z:'"$sheet" >"$work/wine.json")
# Started without an X display, this Wine session's desktop has none: the
# tests that follow must start a session of their own.
w wineserver -w
cmp "$work/out.json" "$work/wine.json" || { diff "$work/out.json" "$work/wine.json"; exit 1; }

python3 - "$work" "$expected" <<'PY'
import csv, io, json, sys
work, expected = sys.argv[1], json.loads(sys.argv[2])
report = json.load(open(work + "/out.json", encoding="utf-8"))
projects = {}
for row in report["rows"]:
    projects[row["project"]] = projects.get(row["project"], 0) + row["seconds"]
assert projects == expected, (projects, expected)
assert report["total"]["seconds"] == sum(expected.values())
assert report["running"]["task"] == "Write user guide" and report["running"]["seconds"] == 5400
assert any(row["task"] == "Caf\u00e9 menu design" for row in report["rows"])
with open(work + "/out.csv", newline="", encoding="utf-8") as f:
    table = list(csv.reader(f))
assert table[0] == ["project", "task", "records", "seconds", "hours", "hmm"], table[0]
json_rows = [[r["project"], r["task"], str(r["records"]), str(r["seconds"])] for r in report["rows"]]
assert [r[:4] for r in table[1:]] == json_rows, table
tsv = open(work + "/out.tsv", encoding="utf-8", newline="").read().split("\r\n")
assert [line.split("\t")[:4] for line in tsv[1:-1]] == json_rows
dom = open(work + "/dom.html", encoding="utf-8").read()
for r in table[1:]:
    assert ">%s<" % r[5] in dom, ("html lacks", r)
hm = "%d:%02d" % (sum(expected.values()) // 3600, sum(expected.values()) // 60 % 60)
assert hm in dom and hm in open(work + "/out.table", encoding="utf-8").read()
PY

# Failures: exit 1 for the command line, 2 for a sheet; nothing written.
expect() {
  code=$1; shift
  status=0; "$native" --output "$work/none.json" "$@" >/dev/null 2>"$work/err" || status=$?
  [ "$status" = "$code" ] && [ ! -e "$work/none.json" ] ||
    { echo "report failure case '$*': exit $status, wanted $code"; cat "$work/err"; exit 1; }
}
expect 1 --bogus "$sheet"
expect 1 --from 2026-03-20 --to 2026-03-19 "$sheet"
expect 1 --from 2026-02-30 "$sheet"
expect 2 "$sheet" "$work/missing.tim"
expect 2 "$work"
status=0; "$native" --output "$sheet" "$sheet" 2>/dev/null || status=$?
[ "$status" = 1 ] && python3 "$root/scripts/report-sample.py" "$work" >/dev/null
grep -q "cannot read $work: is a folder" "$work/err"
echo "report end-to-end checks passed: 5 formats, wine JSON equal, 6 failures"

# The sheet's own names and files: a sheet given twice counts once; two
# sheets of one name stay apart by the path given; no name of a sheet or of
# its descriptions file is written over, on either build; and the temporary
# file of --output is never a file of the user's own ("notes.new").
same() { (cd "$work" && "$native" --period all --now 2026-03-20T12:00:00 --format json "$@"); }
same report.tim ./report.tim >"$work/twice.json" 2>"$work/err"
cmp "$work/out.json" "$work/twice.json" >/dev/null || python3 - "$work" <<'PY'
import json, sys
a, b = (json.load(open(sys.argv[1] + f, encoding="utf-8")) for f in ("/out.json", "/twice.json"))
assert a["total"] == b["total"], (a["total"], b["total"])
PY
grep -q "warning: ./report.tim is the same file as report.tim; counted once" "$work/err"
mkdir -p "$work/alice" "$work/bob"
cp "$sheet" "$work/alice/jobs.tim" && cp "$sheet" "$work/bob/JOBS.tim"
same --by sheet alice/jobs.tim bob/JOBS.tim | python3 -c '
import json, sys
rows = json.load(sys.stdin)["rows"]
assert [r["sheet"] for r in rows] == ["alice/jobs.tim", "bob/JOBS.tim"], rows'
cp "$sheet" "$work/sheet.dat"
for output in "$sheet." "$sheet " "$work/REPORT.TIM" "$work/report.des" "$work/sheet.dat"; do
  status=0; "$native" --output "$output" "$sheet" "$work/sheet.dat" 2>"$work/err" || status=$?
  [ "$status" = 1 ] && cmp -s "$sheet" "$work/sheet.dat" && [ ! -e "$work/report.des" ] ||
    { echo "report wrote over '$output': exit $status"; exit 1; }
done
printf 'mine' >"$work/notes.new"
printf 'mine' >"$work/wine-notes.new"
"$native" --period all --now 2026-03-20T12:00:00 --format json --output "$work/notes" "$sheet"
(cd "$work/browser" && w wine "$BUILD/win64/hourwright-report.exe" --period all \
  --now 2026-03-20T12:00:00 --format json --output 'Z:'"$work/wine-notes" 'Z:'"$sheet")
status=0; (cd "$work/browser" && w wine "$BUILD/win64/hourwright-report.exe" \
  --output 'Z:'"$sheet." 'Z:'"$sheet" 2>/dev/null) || status=$?
w wineserver -w
[ "$status" = 1 ] && cmp -s "$sheet" "$work/sheet.dat" || { echo "wine report wrote over the sheet: $status"; exit 1; }
[ "$(cat "$work/notes.new")" = mine ] && [ "$(cat "$work/wine-notes.new")" = mine ] &&
  cmp -s "$work/notes" "$work/wine-notes" && ! ls "$work" | grep -q hourwright-new ||
  { echo "report output touched notes.new or left a temporary file"; ls "$work"; exit 1; }
echo "report sheet checks passed: a sheet given twice, two of one name, 5 names refused, notes.new kept"

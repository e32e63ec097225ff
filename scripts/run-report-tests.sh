#!/bin/sh
# hourwright-report end to end on one sample sheet: every format from the
# native build, read back by python's json and csv and by headless chromium;
# the Windows exe under Wine must give the same JSON; the failures give their
# exit codes and write nothing; the README's examples print what it shows.
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
wine_report() {
  (cd "$work/browser" && w wine "$BUILD/win64/hourwright-report.exe" --period all \
    --now 2026-03-20T12:00:00 "$@")
}
wine_report --by project,task --format json 'Z:'"$sheet" >"$work/wine.json"

# The command's I/O, a case a line: its name, the exit wanted, a piece of
# standard error wanted, and the command, run by this shell.
hostile="$work/hostile.tim"  # one record from 1601 to 9999: three million days
(cd "$root/scripts" && python3 -c 'import sys, time_record as t
sys.stdout.buffer.write(t.record("t", "p", "c", (1601, 1, 1, 0, 1), 4417400000))') >"$hostile"
cases=0
io() {
  status=0
  (eval "$4") >"$work/io.out" 2>"$work/io.err" || status=$?
  [ "$status" = "$2" ] && { [ -z "$3" ] || grep -qF -- "$3" "$work/io.err"; } ||
    { echo "report I/O case '$1': exit $status, wanted $2 and '$3'"; cat "$work/io.err"; exit 1; }
  cases=$((cases + 1))
}
io "output to a full disk" 2 "hourwright-report: cannot write the output: No space left on device" \
  'run "$sheet" >/dev/full'
io "output to a full disk, Windows build" 2 "hourwright-report: cannot write the output: the disk is full" \
  'wine_report "Z:$sheet" >/dev/full'
io "a filter without match" 0 'hourwright-report: warning: no record has project "Acme"' \
  'run --project Acme --format json "$sheet" >"$work/nomatch.json" &&
   grep -qF "\"no record has project \\\"Acme\\\"\"" "$work/nomatch.json"'
io "a CSV file starts with a byte-order mark, standard output not" 0 "" \
  'run --format csv --output "$work/marked.csv" "$sheet" && run --format csv "$sheet" >"$work/plain.csv" &&
   printf "\357\273\277" | cat - "$work/plain.csv" | cmp -s - "$work/marked.csv" &&
   [ "$(head -c 7 "$work/plain.csv")" = project ]'
io "memory runs out" 2 "hourwright-report: not enough memory for these totals" \
  'ulimit -v 400000 && run --by day "$hostile"'
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

# Rates: the amounts of the JSON in the CSV and in the invoice page as
# chromium draws it; rows add up to the total to the cent.
printf '[away]\r\nminutes=20\r\n[rates]\r\nAcme Bookkeeping=85\r\nHourwright 1.0=92.50\r\nbad line\r\n*currency*=EUR\r\n' >"$work/rates.ini"
for format in csv json html; do
  run --by project,task --rates "$work/rates.ini" --format $format "$sheet" >"$work/rates.$format" 2>"$work/rates.err"
done
grep -q "rates.ini: line 6: not a \"project=rate\" line; skipped" "$work/rates.err"
run --no-rates --format csv "$sheet" | head -1 | grep -q 'hmm.$'
chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
  --disable-component-update --disable-sync --no-first-run --user-data-dir="$work/browser" \
  --dump-dom "file://$work/rates.html" >"$work/rates-dom.html" 2>>"$work/chromium.log"
python3 - "$work" <<'PY'
import csv, json, sys
work = sys.argv[1]
report = json.load(open(work + "/rates.json", encoding="utf-8"))
rows = report["rows"]
cents = lambda amount: round(amount * 100)
rated = [r for r in rows if r["amount"] is not None]
assert rated and all(r["currency"] == "EUR" for r in rows)
assert [r["project"] for r in rows if r["amount"] is None] == ["Northwind Trading"] * 2
assert sum(cents(r["amount"]) for r in rated) == cents(report["total"]["amount"])
assert report["total"]["unrated"] is True
with open(work + "/rates.csv", newline="", encoding="utf-8") as f:
    table = list(csv.reader(f))
assert table[0][-2:] == ["amount", "currency"], table[0]
assert [r[-2] for r in table[1:]] == ["%.2f" % r["amount"] if r["amount"] is not None else "" for r in rows]
dom = open(work + "/rates-dom.html", encoding="utf-8").read()
for r in rated:
    assert ">%.2f<" % r["amount"] in dom, ("the page lacks", r)
assert "EUR %.2f" % report["total"]["amount"] in dom and "some projects have no rate" in dom
assert "<script" not in dom.lower() and "@media print" in dom
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
expect 2 --rates "$work/missing.ini" "$sheet"
grep -q "cannot read $work/missing.ini: no such file" "$work/err"
expect 1 --rates "$work/rates.ini" --no-rates "$sheet"
# The README's examples print what it shows.
python3 "$root/scripts/check-readme-examples.py" "$root/README.md" "$native" "$work/readme"
echo "report end-to-end checks passed: 5 formats, wine JSON equal, $cases I/O cases, amounts in 3 formats, 9 failures, README examples"

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

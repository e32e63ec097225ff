#!/usr/bin/env python3
"""Writes a sample time sheet for hourwright-report's checks, the README's
examples (as jobs.tim) and the docs picture: report.tim in the given folder,
with an accented description, a comma and a quote, one spelling of a project
in two cases, a record across midnight and a running task last. Prints the
expected seconds per project (first spelling) for `--period all --now
2026-03-20T12:00:00` as JSON."""
import datetime
import json
import os
import sys

from time_record import record, seconds

NOW = datetime.datetime(2026, 3, 20, 12, 0, 0)
RECORDS = [
    # task, project, classification, start, minutes (None: running)
    ("Write user guide", "Hourwright 1.0", "Documentation", (2026, 3, 16, 9, 0), 95),
    ("Review, \"urgent\" fixes", "Hourwright 1.0", "Development", (2026, 3, 16, 10, 45), 50),
    ("Client call", "Acme Bookkeeping", "Meetings", (2026, 3, 16, 13, 30), 30),
    ("Caf\xe9 menu design", "Acme Bookkeeping", "Design", (2026, 3, 16, 22, 30), 150),
    ("Prepare invoice", "ACME bookkeeping", "Administration", (2026, 3, 17, 8, 45), 25),
    ("Quarterly report", "Northwind Trading", "Consulting", (2026, 3, 17, 9, 15), 185),
    ("Client call", "Northwind Trading", "Meetings", (2026, 3, 18, 14, 0), 45),
    ("Fix export of long names", "Hourwright 1.0", "Development", (2026, 3, 19, 15, 0), 120),
    ("Write user guide", "Hourwright 1.0", "Documentation", (2026, 3, 20, 10, 30), None),
]


def main():
    expected = {}
    spelling = {}
    with open(os.path.join(sys.argv[1], "report.tim"), "wb") as sheet:
        for r in RECORDS:
            sheet.write(record(*r))
            begin = datetime.datetime(*r[3])
            end = NOW if r[4] is None else begin + datetime.timedelta(minutes=r[4])
            name = spelling.setdefault(r[1].lower(), r[1])
            expected[name] = expected.get(name, 0) + seconds(end) - seconds(begin)
    print(json.dumps(expected))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes a small sample time sheet (jobs.tim and jobs.des) into a folder, in
the program's own byte layout, for the screenshots."""
import os
import struct
import sys

from time_record import record, text_field

RECORDS = [
    # task, project, classification, start, minutes
    ("Write user guide", "Hourwright 1.0", "Documentation", (2026, 3, 16, 9, 0), 95),
    ("Review pull requests", "Hourwright 1.0", "Development", (2026, 3, 16, 10, 45), 50),
    ("Client call", "Acme Bookkeeping", "Meetings", (2026, 3, 16, 13, 30), 30),
    ("Fix export of long names", "Hourwright 1.0", "Development", (2026, 3, 16, 14, 10), 140),
    ("Prepare invoice", "Acme Bookkeeping", "Administration", (2026, 3, 17, 8, 45), 25),
    ("Quarterly report", "Northwind Trading", "Consulting", (2026, 3, 17, 9, 15), 185),
    ("Client call", "Northwind Trading", "Meetings", (2026, 3, 17, 14, 0), 45),
    ("Write user guide", "Hourwright 1.0", "Documentation", (2026, 3, 17, 15, 0), 120),
]


def main():
    folder = sys.argv[1]
    with open(os.path.join(folder, "jobs.tim"), "wb") as sheet:
        for r in RECORDS:
            sheet.write(record(*r))
    with open(os.path.join(folder, "jobs.des"), "wb") as lists:
        for kind in range(3):
            texts = []
            for r in RECORDS:
                if r[kind].lower() not in [t.lower() for t in texts]:
                    texts.append(r[kind])
            lists.write(struct.pack("<i", len(texts)))
            for t in texts:
                lists.write(text_field(t))


if __name__ == "__main__":
    main()

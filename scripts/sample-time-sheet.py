#!/usr/bin/env python3
"""Writes a small sample time sheet (jobs.tim and jobs.des) into a folder, in
the program's own byte layout, for the screenshots."""
import datetime
import os
import struct
import sys

EPOCH = datetime.datetime(1601, 1, 1)
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


def f32(value):
    return struct.unpack("<f", struct.pack("<f", value))[0]


def system_time(moment):
    day_of_week = (moment.weekday() + 1) % 7  # Sunday is 0
    return struct.pack("<8H", moment.year, moment.month, day_of_week, moment.day,
                       moment.hour, moment.minute, moment.second, 0)


def text_field(text):
    data = text.encode("latin-1")[:63]
    return data + b"\0" * (64 - len(data))


def record(task, project, classification, start, minutes):
    begin = datetime.datetime(*start)
    end = begin + datetime.timedelta(minutes=minutes)
    start_seconds = int((begin - EPOCH).total_seconds())
    stop_seconds = int((end - EPOCH).total_seconds())
    elapsed = (stop_seconds - start_seconds) * 0.016666666666666666
    data = (text_field(task) + text_field(project) + text_field(classification) +
            system_time(begin) + system_time(end) +
            struct.pack("<qqff", start_seconds, stop_seconds, f32(elapsed),
                        f32(elapsed * f32(0.01666666753590107))) + b"\0" * 8)
    assert len(data) == 256
    return data


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

"""The 256-byte time record in the program's own byte layout, for the scripts
that write sample time sheets."""
import datetime
import struct

EPOCH = datetime.datetime(1601, 1, 1)


def seconds(moment):
    return int((moment - EPOCH).total_seconds())


def f32(value):
    return struct.unpack("<f", struct.pack("<f", value))[0]


def system_time(moment):
    day_of_week = (moment.weekday() + 1) % 7  # Sunday is 0
    return struct.pack("<8H", moment.year, moment.month, day_of_week, moment.day,
                       moment.hour, moment.minute, moment.second, 0)


def text_field(text):
    data = text.encode("cp1252")[:63]
    return data + b"\0" * (64 - len(data))


def record(task, project, classification, start, minutes):
    """A record from `start` (a datetime, or year, month, day, hour, minute)
    lasting `minutes`; None leaves it open, as a running task's."""
    begin = start if isinstance(start, datetime.datetime) else datetime.datetime(*start)
    if minutes is None:
        times = system_time(begin) + b"\0" * 16 + struct.pack("<qqff", seconds(begin), 0, 0.0, 0.0)
    else:
        end = begin + datetime.timedelta(minutes=minutes)
        # The elapsed minutes and hours as the program computes them, in floats.
        elapsed = (seconds(end) - seconds(begin)) * 0.016666666666666666
        times = (system_time(begin) + system_time(end) +
                 struct.pack("<qqff", seconds(begin), seconds(end), f32(elapsed),
                             f32(elapsed * f32(0.01666666753590107))))
    data = text_field(task) + text_field(project) + text_field(classification) + times + b"\0" * 8
    assert len(data) == 256
    return data

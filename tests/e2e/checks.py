"""Checks from the outside: the workbooks, Briskel.ini, the log file, the
instrument's memory folder, and what went over the wire."""
import datetime
import os
import re
import time

import openpyxl

# The supported tests of the emulator's sample memory, in the order the export
# walks them (objects, then tests, ascending), with cells that must hold the
# given text (blanks around a value do not count). The test 02/10.c is of a
# kind without a reader and object 05 is empty: neither gives a workbook.
SAMPLE_TESTS = [
    ((1, 1, "a"), {"D1": "Current", "D2": "0.523", "E2": "A", "G2": "50.00", "H2": "Hz",
                   "I2": "no clamp", "L2": "21.5", "M2": "°C"}),
    ((1, 2, "a"), {"D2": "4.56", "G2": "0.00", "I2": "1 / 1000"}),
    ((1, 3, "a"), {"D2": "12.3", "G2": "60.00", "I2": "1 / 10000"}),
    ((1, 4, "e"), {"D1": "MeasType", "E1": "Re", "D2": "Earth 3P", "E2": "12.50", "F2": "Ohm",
                   "G2": "1.350", "H2": "kOhm", "I2": "2.21"}),
    ((1, 5, "e"), {"D2": "Earth 2P", "E2": "2.500", "F2": "kOhm", "G2": "---", "J2": "---"}),
    ((1, 7, "e"), {"D2": "", "E2": "85.0", "G2": "---"}),
    ((2, 1, "l"), {"E1": "Z-LN", "D2": "ZLOOP Trip", "E2": "0.420", "F2": "Ohm", "G2": "0.400",
                   "I2": "0.5", "J2": "mH", "W2": "231.2", "AD2": "50.00"}),
    ((2, 2, "l"), {"D2": "ZLOOP No Trip", "K2": "15.01", "O2": "---", "Q2": "---"}),
    ((2, 3, "l"), {"D2": "ZLINE", "E2": "15.00", "I2": "3.1", "K2": "---"}),
    ((2, 4, "l"), {"E1": "Z e", "D2": "REarth Trip", "E2": "27.30", "G2": "26.90",
                   "K2": "310.0"}),
    ((2, 5, "l"), {"D2": "REarth No Trip", "E2": "---"}),
    ((2, 6, "l"), {"D2": "REarth Trip Select.", "E2": "1.200", "F2": "kOhm"}),
    ((2, 8, "l"), {"D2": "RCD ZLOOP No Trip", "E2": "1.200", "F2": "kOhm", "O2": "Hz",
                   "P2": None}),
    ((2, 9, "l"), {"D2": "RCD REarth No Trip", "E2": "---", "U2": "Hz", "V2": None}),
    ((4, 1, "r"), {"G1": "Rated current", "D2": "RCD Trip Slope", "E2": "Full", "F2": "Pos",
                   "H2": "mA", "I2": "21.500", "K2": "23.4", "L2": "ms"}),
    ((4, 2, "r"), {"D2": "RCD Trip Pulse x2", "E2": "Full", "F2": "Neg", "I2": "60.000",
                   "K2": "18.5"}),
    ((4, 3, "r"), {"D2": "RCD Trip Pulse x5", "E2": "Half", "F2": "Pos", "I2": "---",
                   "K2": "---"}),
    ((4, 5, "r"), {"D2": "RCD Trip Pulse 150mA", "E2": "Half", "F2": "Neg", "I2": "---"}),
    ((4, 6, "r"), {"D2": "RCD Trip Pulse 250mA", "I2": "250.000", "K2": "40.2"}),
    ((7, 1, "v"), {"E1": "V-LN", "N1": "Rod Resist", "D2": "Voltage", "E2": "230.4", "F2": "V",
                   "L2": "50.00", "N2": "2.500", "O2": "kOhm", "R2": "27.5", "S2": "°C"}),
    ((7, 2, "v"), {"E2": "0.0", "L2": "0.00"}),
    ((7, 3, "v"), {"E2": "398.5", "G2": "231.1", "I2": "230.7", "N2": "12.50", "O2": "Ohm"}),
]

HALF_YEAR = 182 * 24 * 3600


def file_name(object_number, test_number, letter):
    return f"{object_number:02d}/{test_number:02d}.{letter}"


def listed_date(memory_dir, object_number, test_number, letter, now=None):
    """The test's date as the program reads it from the instrument's listing:
    a file of the last half year is listed with its time and no year, which
    the program takes from the PC's clock."""
    now = now or time.time()
    stamp = os.path.getmtime(os.path.join(memory_dir, file_name(object_number, test_number,
                                                                letter)))
    when = datetime.datetime.fromtimestamp(stamp)
    year = when.year if abs(now - stamp) > HALF_YEAR else datetime.date.today().year
    return when.month, when.day, year


PLAIN_NUMBER = re.compile(r"^(0+)(?:\.(0+))?$")


def text(cell):
    """The text a cell shows, less the blanks around it: numbers and dates
    through the plain number formats the program gives them."""
    value, number_format = cell.value, cell.number_format.replace("\\", "")
    if value is None:
        return None
    if isinstance(value, datetime.datetime) and number_format == "mm/dd/yyyy":
        return value.strftime("%m/%d/%Y")
    plain = PLAIN_NUMBER.match(number_format)
    if isinstance(value, (int, float)) and plain:
        decimals = len(plain.group(2) or "")
        width = len(plain.group(1)) + (decimals + 1 if decimals else 0) + (value < 0)
        return f"{value:0{width}.{decimals}f}"
    return str(value).strip()


def listed_with_year(memory_dir, object_number, test_number, letter):
    """Whether the instrument lists the test with its year instead of a time."""
    stamp = os.path.getmtime(os.path.join(memory_dir, file_name(object_number, test_number,
                                                                letter)))
    return abs(time.time() - stamp) > HALF_YEAR


def listed_dates(memory_dir, tests):
    """The listed date of each test, read before an export may erase them."""
    return {test: listed_date(memory_dir, *test) for test, _ in tests}


def check_workbooks(folder, tests, dates, base="Briskel"):
    """One workbook per test, named base1, base2, ... in export order, with the
    identification cells and the cells listed for the test; no other."""
    problems = []
    for number, ((obj, test, letter), cells) in enumerate(tests, 1):
        path = os.path.join(folder, f"{base}{number}.xlsx")
        if not os.path.exists(path):
            problems.append(f"{os.path.basename(path)} missing (test {file_name(obj, test, letter)})")
            continue
        sheet = openpyxl.load_workbook(path).worksheets[0]
        month, day, year = dates[(obj, test, letter)]
        expected = {"A1": "Date of test", "B1": "Object", "C1": "Test",
                    "A2": f"{month:02d}/{day:02d}/{year:04d}", "B2": f"{obj:02d}",
                    "C2": f"{test:02d}"}
        expected.update(cells)
        for cell, want in expected.items():
            got = text(sheet[cell])
            if got != want:
                problems.append(f"{os.path.basename(path)} ({file_name(obj, test, letter)}) "
                                f"{cell}: {got!r}, expected {want!r}")
    extra = [name for name in os.listdir(folder)
             if re.fullmatch(rf"{base}(\d+)\.xlsx", name)
             and not 1 <= int(re.fullmatch(rf"{base}(\d+)\.xlsx", name).group(1)) <= len(tests)]
    if extra:
        problems.append(f"workbooks beyond the exported tests: {sorted(extra)}")
    assert not problems, "workbooks:\n  " + "\n  ".join(problems)


def read_lines(path):
    with open(path, "rb") as file:
        data = file.read()
    assert b"\r\n" in data, f"{path}: lines do not end with CR LF"
    return data.decode("utf-8").split("\r\n")


def check_settings(program_dir, port, erase):
    """Briskel.ini as the exit save writes it: 13 lines, the port used, the
    erase option, the working folder of the export (with its final separator),
    English, the main window where it opened."""
    lines = read_lines(os.path.join(program_dir, "Briskel.ini"))
    if lines and lines[-1] == "":
        lines = lines[:-1]
    expected = ["1 0", "0", f"56 {port}", str(erase), program_dir + "/", "", "1", "32", "102",
                "762", "1004", "0", "***"]
    assert lines == expected, f"Briskel.ini:\n  {lines}\nexpected\n  {expected}"


def check_log(program_dir, discovered_port):
    """ZR881x_9025.log: the header, the port line when the port was searched,
    the status queries of the set-up, and the power-off commands at exit last."""
    lines = read_lines(os.path.join(program_dir, "ZR881x_9025.log"))
    # The header is written with its own carriage return before the line end.
    assert lines[0] == "\t\tLOG BRISKEL VIEW \r", f"log header: {lines[0]!r}"
    assert re.fullmatch(r"\d\d-\d\d-\d{4} - \d\d:\d\d:\d\d", lines[1]), \
        f"log start date and time: {lines[1]!r}"
    body = "\n".join(lines[2:])
    for expected in ("btb status.RotPos\nposition du commutateur =25",
                     "btb status.ShutofEn\nvaleur du status Shut ="):
        assert expected in body, f"log lacks {expected!r}:\n{body}"
    port_line = ("The number of the port of communication used for the USB adapter / "
                 "optical serial is:")
    if discovered_port:
        assert f"{port_line}\n  = {discovered_port}" in body, f"log lacks the port line:\n{body}"
    else:
        assert port_line not in body, f"port line although the port was typed:\n{body}"
    ending = [line for line in lines[2:] if line]
    assert ending[-2:] == ["btb status.ShutofEn=0", "btb status.ShutofEn"], \
        f"log does not end with the power-off commands: {ending[-4:]}"


def memory_files(memory_dir):
    """Every object folder and test file of the instrument's memory."""
    found = set()
    for folder in sorted(os.listdir(memory_dir)):
        found.add(folder + "/")
        for name in os.listdir(os.path.join(memory_dir, folder)):
            found.add(f"{folder}/{name}")
    return found


def wire_summary(wire_log):
    """Bytes each way and the time the emulator ran, from its wire log:
    `[ seconds] << text` (received) and `>> text` (sent), with \\r, \\n and
    \\xNN each standing for one byte."""
    received = sent = 0
    last = 0.0
    line_format = re.compile(r"^\[\s*([\d.]+)\] (<<|>>) (.*)$")
    with open(wire_log, errors="replace") as log:
        for line in log:
            match = line_format.match(line.rstrip("\n"))
            if not match:
                continue
            last = float(match.group(1))
            count = len(re.sub(r"\\x[0-9A-F]{2}|\\r|\\n", "#", match.group(3)))
            if match.group(2) == "<<":
                received += count
            else:
                sent += count
    return received, sent, last


def wire_commands(wire_log):
    """The program's commands as the instrument got them: (time sent, command
    text, bytes of the command, bytes answered). A command ends with CR LF and
    a zero byte; the emulator may log it in pieces."""
    line_format = re.compile(r"^\[\s*([\d.]+)\] (<<|>>) (.*)$")
    commands, pending = [], None
    with open(wire_log, errors="replace") as log:
        for line in log:
            match = line_format.match(line.rstrip("\n"))
            if not match:
                continue
            seconds, direction, shown = float(match.group(1)), match.group(2), match.group(3)
            count = len(re.sub(r"\\x[0-9A-F]{2}|\\r|\\n", "#", shown))
            if direction == "<<":
                if pending is None:
                    pending = [seconds, "", 0, 0]
                    commands.append(pending)
                pending[1] += shown
                pending[2] += count
                if shown.endswith("\\x00"):
                    pending = None
            elif commands:
                commands[-1][3] += count
    return [tuple(c) for c in commands]


def print_wire_breakdown(wire_log):
    """Per kind of command: how many, the time from each to the next command
    (the last one, sent at exit, counts none), and how much of it the bytes
    needed on the line at 9600 baud."""
    commands = wire_commands(wire_log)
    kinds = {}
    for index, (start, text, sent, answered) in enumerate(commands):
        following = commands[index + 1][0] if index + 1 < len(commands) else start
        word = text.split("\\r")[0].strip()
        if word.startswith(":"):
            kind = "Modbus frame"
        elif word == "":
            kind = "CR LF (is it in command mode?)"
        else:
            kind = " ".join(word.split()[:2]) if word.startswith("btb") else word.split()[0]
        entry = kinds.setdefault(kind, [0, 0.0, 0])
        entry[0] += 1
        entry[1] += following - start
        entry[2] += sent + answered
    print(f"{'command':32} {'count':>5} {'seconds':>8} {'line time':>9}")
    for kind, (count, seconds, count_bytes) in sorted(kinds.items(), key=lambda k: -k[1][1]):
        print(f"{kind:32} {count:5d} {seconds:8.1f} {count_bytes / 960.0:9.1f}")


def print_wire_summary(wire_log, seconds):
    received, sent, _ = wire_summary(wire_log)
    on_wire = (received + sent) / 960.0
    print(f"wire: program -> instrument {received} bytes, instrument -> program {sent} bytes; "
          f"{on_wire:.1f} s of line time at 9600 baud out of {seconds:.1f} s "
          f"({100 * on_wire / seconds:.0f} %); the rest is waiting")

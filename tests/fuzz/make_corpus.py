#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets from real exchanges with the
emulated instrument: the Modbus answers of the switch sequence, the listings of
/etc/mem/ and of each object, a dump of every kind, the identity and status
answers; then the settings files and the template's parts.

usage: make_corpus.py EMULATOR CORPUS_DIR
Run it again after the instrument's answers change; the files are committed.
"""
import os
import re
import select
import subprocess
import sys
import tempfile
import termios
import time
import tty
import zipfile

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


def read_until(fd, done, timeout=5.0):
    data = b""
    end = time.time() + timeout
    while not done(data) and time.time() < end:
        ready, _, _ = select.select([fd], [], [], 0.1)
        if ready:
            data += os.read(fd, 65536)
    return data


def lrc(pairs):
    return (-sum(bytes.fromhex(pairs))) & 0xFF


def modbus(fd, body):
    os.write(fd, (":%s%02X\r\n" % (body, lrc(body))).encode() + b"\0")
    return read_until(fd, lambda d: d.endswith(b"\r\n")).rstrip(b"\r\n")


def command(fd, line):
    os.write(fd, line.encode() + b"\r\n\0")
    return read_until(fd, lambda d: re.search(rb"korvid:[^$]*\$ $", d) is not None)


def save(corpus, target, name, data):
    folder = os.path.join(corpus, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def instrument_exchanges(emulator, corpus):
    memory = tempfile.mkdtemp()
    subprocess.run([emulator, "--make-sample", memory], check=True, capture_output=True)
    # A fixed clock would be nicer; the listing shows times for recent files
    # and years for old ones either way.
    proc = subprocess.Popen([emulator, "--memory", memory], stdout=subprocess.PIPE, text=True)
    try:
        line = proc.stdout.readline()
        device = re.search(r"listening on (\S+)", line).group(1)
        fd = os.open(device, os.O_RDWR | os.O_NOCTTY)
        tty.setraw(fd)
        termios.tcflush(fd, termios.TCIOFLUSH)

        register = modbus(fd, "010300190001")
        save(corpus, "modbus_answer", "read_register_25", register)
        address = register[7:11].decode()
        save(corpus, "modbus_answer", "write_switch_code",
             modbus(fd, "0110" + address + "000408" + "5B27E0D41963F8A2"))
        save(corpus, "modbus_answer", "write_confirmation", modbus(fd, "0106" + address + "9E3B"))

        save(corpus, "identity", "ident", command(fd, "ident"))
        save(corpus, "identity", "rotary_switch", command(fd, "btb status.RotPos"))
        save(corpus, "identity", "power_off", command(fd, "btb status.ShutofEn=0"))
        root = command(fd, "cd /etc/mem/") and command(fd, "ls -l")
        save(corpus, "directory_listing", "etc_mem", root)
        objects = re.findall(rb" (\d\d)\r\n", root)
        dumped = set()
        for obj in objects:
            obj = obj.decode()
            command(fd, "cd /etc/mem/%s/" % obj)
            listing = command(fd, "ls -l")
            save(corpus, "test_listing", "object_" + obj, listing)
            for name in re.findall(rb" (\d\d\.[a-z])\r\n", listing):
                name = name.decode()
                if name[-1] in dumped:
                    continue
                dumped.add(name[-1])
                save(corpus, "dump_record", "kind_" + name[-1],
                     command(fd, "od -hxv /etc/mem/%s/%s" % (obj, name)))
        os.close(fd)
    finally:
        proc.terminate()
        proc.wait()


def settings_files(corpus):
    lines = ["1 0", "0", "56 1", "0", "/home/user/Briskel" + " " * 46, "", "1", "32", "102",
             "762", "1004", "0", "***"]
    save(corpus, "settings", "default", ("\r\n".join(lines) + "\r\n").encode())
    lines[0], lines[1], lines[3], lines[4], lines[11] = "0 1", "ffff", "1", "/tmp/a folder", "2"
    save(corpus, "settings", "saved_lf", ("\n".join(lines) + "\n").encode())
    save(corpus, "settings", "five_numbers", ("\r\n".join(lines[:11]) + "\r\n").encode())


def template_parts(corpus):
    path = os.path.join(ROOT, "resources", "program", "Class.xl")
    with open(path, "rb") as f:
        save(corpus, "workbook_template", "whole_package", b"\0" + f.read())
    with zipfile.ZipFile(path) as z:
        for index, info in enumerate(z.infolist()):
            if info.filename.endswith(".xml") or info.filename.endswith(".rels"):
                name = re.sub(r"[^A-Za-z0-9]+", "_", info.filename).strip("_")
                save(corpus, "workbook_template", "part_%d_%s" % (index + 1, name),
                     bytes([index + 1]) + z.read(info))


def main():
    emulator, corpus = sys.argv[1], sys.argv[2]
    instrument_exchanges(emulator, corpus)
    settings_files(corpus)
    template_parts(corpus)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Prints setup.log as text: setup stores it with every byte complemented
(the first byte then reads 0xA4, a complemented '['), unless the package
asks for a plain text log."""
import sys


def decode(data):
    if data[:1] == b"\xa4":
        data = bytes(b ^ 0xFF for b in data)
    return data.decode("cp1252").replace("\r\n", "\n")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: decode_setup_log.py <setup.log>")
    with open(sys.argv[1], "rb") as f:
        sys.stdout.write(decode(f.read()))

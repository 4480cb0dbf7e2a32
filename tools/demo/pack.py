#!/usr/bin/env python3
"""Lays out the sample package for a run of setup.exe:

    pack.py <examples folder> <build folder> <package folder>

The package folder receives setup.exe, Setup.ini, the language files, the
licence, the readme and the pictures, and setup.zip with the product's files
(deflated, made with zipfile). Text files get CR LF line ends, which setup's
INI reader needs; the language files are converted from UTF-8 to Windows-1252,
the code page setup shows them in."""
import os
import shutil
import subprocess
import sys
import zipfile


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def copy_text(source, target, encoding="utf-8"):
    with open(source, encoding="utf-8") as f:
        text = crlf(f.read())
    with open(target, "w", encoding=encoding, newline="") as f:
        f.write(text)


def workbook(path):
    """A small workbook in the spreadsheet's text form (tab-separated)."""
    rows = [("Year", "Capital", "Rate")]
    capital = 1000.0
    for year in range(2024, 2031):
        rows.append((str(year), "%.2f" % capital, "0.04"))
        capital *= 1.04
    with open(path, "w", newline="") as f:
        f.write("".join("\t".join(row) + "\r\n" for row in rows))


def main(examples, build, package):
    os.makedirs(package, exist_ok=True)
    shutil.copy(os.path.join(build, "setup.exe"), package)
    for name in ("Setup.ini", "License.rtf", "Readme.txt"):
        copy_text(os.path.join(examples, name), os.path.join(package, name))
    for name in ("English.dat", "Deutsch.dat"):
        copy_text(os.path.join(examples, name), os.path.join(package, name), "cp1252")
    subprocess.run([sys.executable, os.path.join(examples, "make_pictures.py"), package],
                   check=True)

    members = os.path.join(package, "members")
    os.makedirs(members, exist_ok=True)
    shutil.copy(os.path.join(build, "vantra.exe"), members)
    shutil.copy(os.path.join(build, "uninstall.exe"), members)
    shutil.copy(os.path.join(build, "examples", "vantrafx.dll"), members)
    shutil.copy(os.path.join(package, "Readme.txt"), members)
    shutil.copy(os.path.join(package, "License.rtf"), members)
    workbook(os.path.join(members, "vantra.xls"))
    with zipfile.ZipFile(os.path.join(package, "setup.zip"), "w", zipfile.ZIP_DEFLATED) as archive:
        for name in sorted(os.listdir(members)):
            archive.write(os.path.join(members, name), name)
    shutil.rmtree(members)
    with zipfile.ZipFile(os.path.join(package, "setup.zip")) as archive:
        for member in archive.infolist():
            print("pack: setup.zip %-12s %8d bytes (%d packed)"
                  % (member.filename, member.file_size, member.compress_size))


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])

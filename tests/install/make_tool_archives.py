#!/usr/bin/env python3
"""Makes the archives of the archive reader tests with the zip tools people use.

Usage: make_tool_archives.py OUTPUT_DIR

Writes into OUTPUT_DIR:
  names-<tool>.zip       "Café.txt" and "Über/Straße.txt", their names as each
                         tool stores non-ASCII names (UTF-8 bytes; Info-ZIP
                         without the UTF-8 flag)
  refused-<case>.zip     one member "payload.txt" that the reader must refuse:
                         compressed by another method than stored or deflated,
                         or encrypted
  stamp                  written last, for the build to know all is there

The contents the tests expect are fixed here: FIRST_TEXT, SECOND_TEXT and
PAYLOAD_TEXT. Every archive is made anew on each run.
"""

import bz2
import os
import random
import shutil
import subprocess
import sys
import tempfile
import zipfile

FIRST_NAME = "Café.txt"
SECOND_NAME = "Über/Straße.txt"
# Long enough for every tool to deflate it.
FIRST_TEXT = "line of the first member\n" * 200
SECOND_TEXT = "second member\n"
PAYLOAD_TEXT = "".join("payload line %d\n" % i for i in range(2000))

# Non-ASCII names need a UTF-8 locale in the tools (bsdtar refuses them else).
TOOL_ENV = dict(os.environ, LC_ALL="C.UTF-8", LANG="C.UTF-8")


def run(command, cwd):
    subprocess.run(command, cwd=cwd, env=TOOL_ENV, check=True,
                   stdout=subprocess.DEVNULL)


def write_text(folder, name, text):
    path = os.path.join(folder, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text)


def same_size_bzip2_data():
    """Bytes that bzip2 (level 9, as zipfile writes it) packs into exactly as
    many bytes: random bytes, made more compressible by a growing run of
    zeros in front until the packed size meets the plain size."""
    for size in range(4096, 8192, 64):
        noise = random.Random(size).randbytes(size)
        for zeros in range(size):
            data = bytes(zeros) + noise[zeros:]
            packed = len(bz2.compress(data, 9))
            if packed == size:
                return data
            if packed < size:
                break
    raise RuntimeError("no same-size bzip2 data found")


def make_name_archives(out, work):
    source = os.path.join(work, "names")
    write_text(source, FIRST_NAME, FIRST_TEXT)
    write_text(source, SECOND_NAME, SECOND_TEXT)
    members = [FIRST_NAME, SECOND_NAME]
    run(["zip", "-q", "-X", os.path.join(out, "names-infozip.zip")] + members, source)
    run(["7z", "a", "-tzip", "-bd", os.path.join(out, "names-7z.zip")] + members, source)
    run(["bsdtar", "--format", "zip", "-cf", os.path.join(out, "names-bsdtar.zip")] + members,
        source)
    with zipfile.ZipFile(os.path.join(out, "names-python.zip"), "w",
                         zipfile.ZIP_DEFLATED) as archive:
        archive.writestr(FIRST_NAME, FIRST_TEXT)
        archive.writestr(SECOND_NAME, SECOND_TEXT)


def make_refused_archives(out, work):
    source = os.path.join(work, "refused")
    write_text(source, "payload.txt", PAYLOAD_TEXT)

    def seven_zip(case, *options):
        run(["7z", "a", "-tzip", "-bd"] + list(options) +
            [os.path.join(out, "refused-%s.zip" % case), "payload.txt"], source)

    seven_zip("bzip2-7z", "-mm=BZip2")
    seven_zip("lzma-7z", "-mm=LZMA")
    seven_zip("ppmd-7z", "-mm=PPMd")
    seven_zip("deflate64-7z", "-mm=Deflate64")
    seven_zip("zipcrypto-7z", "-psecret")
    seven_zip("aes-7z", "-psecret", "-mem=AES256")
    run(["zip", "-q", "-X", "-P", "secret",
         os.path.join(out, "refused-encrypted-infozip.zip"), "payload.txt"], source)
    run(["zip", "-q", "-X", "-0", "-P", "secret",
         os.path.join(out, "refused-encrypted-stored-infozip.zip"), "payload.txt"], source)
    run(["bsdtar", "--format", "zip", "--options", "zip:encryption=zipcrypt",
         "--passphrase", "secret", "-cf",
         os.path.join(out, "refused-encrypted-bsdtar.zip"), "payload.txt"], source)
    with zipfile.ZipFile(os.path.join(out, "refused-lzma-python.zip"), "w",
                         zipfile.ZIP_LZMA) as archive:
        archive.writestr("payload.txt", PAYLOAD_TEXT)

    # A BZip2 member whose packed size equals its size: nothing in the sizes
    # betrays that its bytes are not the file's.
    data = same_size_bzip2_data()
    path = os.path.join(out, "refused-bzip2-same-size-python.zip")
    with zipfile.ZipFile(path, "w", zipfile.ZIP_BZIP2) as archive:
        archive.writestr("payload.txt", data)
    with zipfile.ZipFile(path) as archive:
        member = archive.getinfo("payload.txt")
        if member.compress_size != member.file_size:
            raise RuntimeError("bzip2 member sizes differ: %d, %d"
                               % (member.compress_size, member.file_size))

    # Each case must have come out as meant, whatever a tool's version does.
    for name in sorted(os.listdir(out)):
        if not name.startswith("refused-"):
            continue
        with zipfile.ZipFile(os.path.join(out, name)) as archive:
            member = archive.getinfo("payload.txt")
            if member.compress_type in (zipfile.ZIP_STORED, zipfile.ZIP_DEFLATED) \
                    and not member.flag_bits & 1:
                raise RuntimeError("%s: member is plain stored or deflated" % name)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    for tool in ("zip", "7z", "bsdtar"):
        if shutil.which(tool) is None:
            sys.exit("make_tool_archives: '%s' is missing: run 'make deps'" % tool)
    os.makedirs(out, exist_ok=True)
    for name in os.listdir(out):
        if name.endswith(".zip") or name == "stamp":
            os.remove(os.path.join(out, name))
    with tempfile.TemporaryDirectory() as work:
        make_name_archives(out, work)
        make_refused_archives(out, work)
    with open(os.path.join(out, "stamp"), "w") as f:
        f.write("done\n")


if __name__ == "__main__":
    main()

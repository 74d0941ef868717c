#!/usr/bin/env python3
"""How much room the notes backups take, and what a backup costs at save time, for a large notes file.

Lays out a notes file of N lines in a scratch folder and saves it 38 times (24 hourly backups and 14 daily
ones, the most the rotation keeps), each save changing one note and replacing the file the way Plandeck
does (a temporary file beside it, then a rename). Before each save the replaced file goes to backups/ once
as a hard link (what Plandeck does) and once as a copy, in two runs. Prints the folder sizes and the time a
backup took, min / median / max.

    python3 bench/backup_room.py [lines] [scratch folder]
"""
import os
import shutil
import statistics
import sys
import tempfile
import time


def du(path):
    total = 0
    seen = set()
    for root, _, files in os.walk(path):
        for name in files:
            st = os.lstat(os.path.join(root, name))
            if (st.st_dev, st.st_ino) not in seen:
                seen.add((st.st_dev, st.st_ino))
                total += st.st_blocks * 512
    return total


def run(lines, scratch, backup):
    folder = tempfile.mkdtemp(dir=scratch)
    notes = os.path.join(folder, "all.txt")
    body = [b"2026%02d%02d09001000dNote number %07d of a large file\r\n" % (1 + i % 12, 1 + i % 28, i)
            for i in range(lines)]
    with open(notes, "wb") as f:
        f.writelines(body)
    os.mkdir(os.path.join(folder, "backups"))
    times = []
    for n in range(38):
        start = time.perf_counter()
        backup(notes, os.path.join(folder, "backups", "%02d_all.txt" % n))
        times.append(time.perf_counter() - start)
        body[n] = b"2026120809001000eChanged in save %02d\r\n" % n
        tmp = notes + ".tmp"
        with open(tmp, "wb") as f:
            f.writelines(body)
            f.flush()
            os.fsync(f.fileno())
        os.rename(tmp, notes)
    result = (os.path.getsize(notes), du(os.path.join(folder, "backups")), times)
    shutil.rmtree(folder)
    return result


def main():
    lines = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    scratch = sys.argv[2] if len(sys.argv) > 2 else tempfile.gettempdir()
    for name, backup in (("hard links", os.link), ("copies", shutil.copyfile)):
        size, room, times = run(lines, scratch, backup)
        ms = [t * 1000 for t in times]
        print("%-10s file %.1f MB, 38 backups take %.1f MB on disk (%.1f x the file); a backup took "
              "%.2f / %.2f / %.2f ms (min / median / max)"
              % (name, size / 1e6, room / 1e6, room / size, min(ms), statistics.median(ms), max(ms)))


if __name__ == "__main__":
    main()

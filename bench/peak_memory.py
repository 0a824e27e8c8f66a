#!/usr/bin/env python3
"""Peak memory and wall time of whole quillet runs, headless.

Makes a device root with a first start (list "Big"), fills the list with the
10,000 items the other benchmarks use (1,000 top-level items, each with a
chain of six descendants and three more children, every other top-level item
expanded, a tenth of the items with a note), then starts the program on it
again with a few steps (check an item, open its note, switch lists), and
last on the big-list shape of bench/shaped_list.h at 1,000, 10,000 and
100,000 items; it reports each run's peak resident memory and time, start
to end (the end includes saving, purging and compacting the database).

    bench/peak_memory.py [BUILD_DIR]        (default: build)
"""
import os
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import time

FIRST_START = 'click "Ok"\nclick "OK"\ntype "Big"\nkey Enter\n'


def run(quillet, root, steps):
    """Runs one headless start on `root`; (seconds, peak MiB) of that process."""
    script = os.path.join(root, "..", "script.txt")
    with open(script, "w") as f:
        f.write(steps)
    with tempfile.TemporaryFile() as err:
        start = time.monotonic()
        child = subprocess.Popen([quillet, "--headless", "--root", root, "--card", root, "--script", script],
                                 stdout=subprocess.DEVNULL, stderr=err)
        _, status, usage = os.wait4(child.pid, 0)
        seconds = time.monotonic() - start
        child.returncode = os.waitstatus_to_exitcode(status)
        if child.returncode != 0:
            err.seek(0)
            sys.exit(f"quillet failed ({child.returncode}): {err.read().decode(errors='replace')}")
    return seconds, usage.ru_maxrss / 1024.0


def fill(database):
    rows = []
    item = 1
    for top in range(1000):
        top_id = item
        item += 1
        expand = 1 if top % 2 == 0 else 0
        rows.append((top_id, 0, top + 1, 4, expand))
        parent = top_id
        for depth in range(1, 7):
            rows.append((item, parent, 1, 1 if depth < 6 else 0, expand))
            parent = item
            item += 1
        for extra in range(3):
            rows.append((item, top_id, extra + 2, 0, 0))
            item += 1
    db = sqlite3.connect(database)
    db.executemany(
        "INSERT INTO 'Big' (longID,longParentID,longOrder,strText,bChecked,bDisplay,bNote,bNodeExpand,"
        "strNoteText,intNumChild) VALUES (?,?,?,?,0,1,?,?,?,?)",
        [(i, p, o, f"Item number {i} of the list", 1 if i % 10 == 0 else 0, e,
          "A note that goes with this item" if i % 10 == 0 else "", n) for (i, p, o, n, e) in rows])
    db.commit()
    db.close()


# The big-list shape of bench/shaped_list.h (bench_big_lists measures the
# same lists step by step).
SHAPED_SIZES = (1000, 10000, 100000)


def shaped(build, root, items):
    """Replaces the root's database by one holding the shaped list "Big"."""
    database = os.path.join(root, "Program Files", "Quillet Pro", "quillet.qu2")
    os.remove(database)
    subprocess.run([os.path.join(build, "bench", "bench_make_shaped_list"), database, str(items)],
                   check=True, stdout=subprocess.DEVNULL)


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    quillet = os.path.abspath(os.path.join(build, "quillet"))
    scratch = tempfile.mkdtemp(prefix="qp_peak_")
    root = os.path.join(scratch, "root")
    os.makedirs(root)
    try:
        seconds, peak = run(quillet, root, FIRST_START)
        print(f"first start, empty list:             {seconds * 1000:7.0f} ms  peak {peak:6.1f} MiB")
        fill(os.path.join(root, "Program Files", "Quillet Pro", "quillet.qu2"))
        seconds, peak = run(quillet, root, "")
        print(f"start and end, 10,000 items:         {seconds * 1000:7.0f} ms  peak {peak:6.1f} MiB")
        steps = ('tree "Item number 1 of the list" check\n'
                 'tree "Item number 1 of the list/Item number 10 of the list" label tap\n'
                 'menu "Item Note"\n'
                 'menu "File/New List..."\ntype "Small"\nkey Enter\n'
                 'tap 120 36\nselect 6000 "Big"\n')
        seconds, peak = run(quillet, root, steps)
        print(f"check, note, new list, switch back:  {seconds * 1000:7.0f} ms  peak {peak:6.1f} MiB")
        for items in SHAPED_SIZES:
            shaped(build, root, items)
            seconds, peak = run(quillet, root, "")
            print(f"start and end, shaped, {items:7,} items: {seconds * 1000:7.0f} ms  peak {peak:6.1f} MiB")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()

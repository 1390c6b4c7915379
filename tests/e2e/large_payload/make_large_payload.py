#!/usr/bin/env python3
"""Packs the large test payload: the sample payload's nine items (catalogue names, stored
names, dates) with large pseudo-random contents, so that an installation run lasts long
enough for the end-to-end scenarios to pause, resume and cancel it while it copies.

    make_large_payload.py SAMPLE-MANIFEST TARNWICK-PACK OUT-DIR MIB-PER-ITEM

Writes OUT-DIR/<NAME>.bin and OUT-DIR/payload.rc (through `tarnwick-pack pack`). The
generated files and their manifest live only while the records are packed: the records are
all the build keeps. The same arguments give the same bytes (a fixed seed per item).
"""

import random
import shlex
import subprocess
import sys
import tempfile
from pathlib import Path


def sample_items(manifest):
    """(catalogue name, stored name, date, time) of every item line of the sample manifest."""
    items = []
    for line in Path(manifest).read_text().splitlines():
        if line.strip() and not line.lstrip().startswith("#"):
            name, _source, stored, date, time = shlex.split(line)
            items.append((name, stored, date, time))
    return items


def main():
    if len(sys.argv) != 5:
        sys.exit("usage: make_large_payload.py SAMPLE-MANIFEST TARNWICK-PACK OUT-DIR MIB-PER-ITEM")
    manifest, pack, out_dir, mib = sys.argv[1], sys.argv[2], Path(sys.argv[3]), int(sys.argv[4])
    with tempfile.TemporaryDirectory(dir=out_dir.parent) as work:
        work = Path(work)
        lines = []
        for number, (name, stored, date, time) in enumerate(sample_items(manifest)):
            # Random bytes barely compress, so that reading an item back (deciphering and
            # inflating it) takes about as long as its size says.
            content = random.Random(number).randbytes(mib << 20)
            (work / stored).write_bytes(content)
            lines.append(f'{name} "{stored}" "{stored}" {date} {time}')
        (work / "manifest.txt").write_text("\n".join(lines) + "\n")
        subprocess.run([pack, "pack", str(work / "manifest.txt"), str(out_dir)], check=True)


if __name__ == "__main__":
    main()

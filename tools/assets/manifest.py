#!/usr/bin/python3
"""Lists every file of resources/ with its size into resources/manifest.tsv.

Pictures get their pixel size, other files their byte count. The game's tests check the
manifest against the folder and against every path the game asks for."""
import os
import sys

from PIL import Image

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources")
SKIP_DIRS = {"save"}
SKIP_FILES = {"manifest.tsv"}


def main():
    rows = []
    for folder, dirs, files in os.walk(ROOT):
        dirs[:] = sorted(d for d in dirs if not (folder == ROOT and d in SKIP_DIRS))
        for name in sorted(files):
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, ROOT).replace(os.sep, "/")
            if rel in SKIP_FILES:
                continue
            if name.lower().endswith((".png", ".jpg", ".jpeg")):
                with Image.open(path) as image:
                    rows.append((rel, "image", "%dx%d" % image.size))
            else:
                rows.append((rel, "file", str(os.path.getsize(path))))
    rows.sort()
    with open(os.path.join(ROOT, "manifest.tsv"), "w", encoding="utf-8", newline="\n") as out:
        out.write("# path\tkind\tsize (pixels for images, bytes otherwise)\n")
        for row in rows:
            out.write("\t".join(row) + "\n")
    print("manifest: %d files" % len(rows), file=sys.stderr)


if __name__ == "__main__":
    main()

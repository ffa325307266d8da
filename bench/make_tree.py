#!/usr/bin/env python3
"""Builds a deterministic folder tree for the scan benchmark.

The same seed and sizes always give the same names, folders, contents and times. A share of the
files are real programs with version resources (hard links to the programs given with --exe, so
the tree costs little disk), some files named .exe or .dll are plain text, and some programs carry
other extensions, so that every branch of the version column code is exercised.
"""
import argparse
import os
import random
import shutil
import sys

PLAIN_EXTENSIONS = [
    ".txt", ".log", ".dat", ".csv", ".jpg", ".png", ".doc", ".html", ".c", ".h", ".cpp",
    ".ini", ".xml", ".json", ".bak", ".tmp", ".md", ".TXT", ".Log", ".tar.gz", "", ".",
]
STEMS = ["report", "data", "image", "memo", "log", "backup", "設定", "資料", "図表", "ソース",
         "README", "a", "file with blanks", "very_long_file_name_for_short_names", "x"]


def build(root, files, folders, depth, seed, exe_sources, exe_share, fake_exe_share,
          renamed_exe_share):
    rng = random.Random(seed)
    if os.path.exists(root):
        shutil.rmtree(root)
    os.makedirs(root)

    # Folders: the first `depth` form one chain so the tree reaches its full depth; the rest hang
    # under a random folder that is not yet at the bottom.
    dirs = [(root, 0)]
    for i in range(folders):
        if i < depth:
            parent, level = dirs[-1]
        else:
            while True:
                parent, level = dirs[rng.randrange(len(dirs))]
                if level < depth:
                    break
        path = os.path.join(parent, "dir%05d_%s" % (i, rng.choice(["a", "b", "フォルダ", "x y"])))
        os.mkdir(path)
        dirs.append((path, level + 1))

    sources = [os.path.abspath(p) for p in exe_sources]
    counts = {"files": 0, "programs": 0, "fake .exe": 0, "renamed programs": 0}
    base_time = 1_500_000_000
    for i in range(files):
        folder, _ = dirs[rng.randrange(len(dirs))]
        roll = rng.random()
        stem = "%s_%06d" % (rng.choice(STEMS), i)
        link = None
        content = None
        if sources and roll < exe_share:
            name = stem + rng.choice([".exe", ".EXE", ".dll"])
            link = sources[rng.randrange(len(sources))]
            counts["programs"] += 1
        elif sources and roll < exe_share + renamed_exe_share:
            name = stem + rng.choice([".bin", ".dat", ""])
            link = sources[rng.randrange(len(sources))]
            counts["renamed programs"] += 1
        elif roll < exe_share + renamed_exe_share + fake_exe_share:
            name = stem + rng.choice([".exe", ".dll"])
            content = b"MX not a program\r\n" if rng.random() < 0.5 else b"plain text\r\n"
            counts["fake .exe"] += 1
        else:
            name = stem + rng.choice(PLAIN_EXTENSIONS)
            size = rng.choice([0, 1, 2, 17, 100, 1000, 4096, rng.randrange(20000)])
            content = bytes((i + k) & 0xFF for k in range(size))
        path = os.path.join(folder, name)
        if link:
            os.link(link, path)
        else:
            with open(path, "wb") as f:
                f.write(content)
            t = base_time + rng.randrange(200_000_000)
            os.utime(path, (t + rng.randrange(1000), t))
        counts["files"] += 1
    return counts, len(dirs) - 1


def main():
    p = argparse.ArgumentParser(description=__doc__)
    p.add_argument("root")
    p.add_argument("--files", type=int, default=100000)
    p.add_argument("--folders", type=int, default=5000)
    p.add_argument("--depth", type=int, default=6)
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--exe", action="append", default=[], help="a program to link into the tree")
    p.add_argument("--exe-share", type=float, default=0.03)
    p.add_argument("--fake-exe-share", type=float, default=0.01)
    p.add_argument("--renamed-exe-share", type=float, default=0.005)
    a = p.parse_args()
    counts, folders = build(a.root, a.files, a.folders, a.depth, a.seed, a.exe, a.exe_share,
                            a.fake_exe_share, a.renamed_exe_share)
    print("%s: %d folders, %s" % (a.root, folders,
                                  ", ".join("%d %s" % (v, k) for k, v in counts.items())))


if __name__ == "__main__":
    sys.exit(main())

"""Each copy of gearmesh that is handed out carries the licence notices it needs.

Usage: check_notices.py zip GEARMESH_ZIP LINK_MAP
       check_notices.py deb ROOT

zip: the Windows zip holds gearmesh's MIT licence and, for every library whose
code the link map of gearmesh.exe shows linked in, that library's notice.
deb: the package's copyright file, in the tree the package is made of (or a .deb
unpacked with dpkg-deb -x) under ROOT, is in Debian's machine-readable format and
gives gearmesh's files the Expat licence, word for word the text of LICENSE.
"""

import os
import re
import sys
import zipfile

LICENSE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "LICENSE")

# Where a linked file comes from (a pattern on its path in the link map), and
# lines of its licence that the notices must quote; None: gearmesh's own code.
# The first pattern that matches decides. A file that none matches fails.
SOURCES = [
    (r"/libfreeglut_static\.a$", "freeglut",
     ["Copyright (c) 1999-2000 Pawel W. Olszta", "Copyright 1985, 1986, 1987,1998 The Open Group"]),
    (r"x86_64-w64-mingw32/lib/lib(win)?pthread\.a$", "winpthreads",
     ["Copyright (c) 2011 mingw-w64 project", "(C) 2010 Lockless Inc."]),
    (r"x86_64-w64-mingw32/lib/libmingwex\.a$", "mingw-w64 runtime",
     ["by the mingw-w64 project", "by Lucent Technologies"]),
    (r"x86_64-w64-mingw32/lib/", "mingw-w64 runtime", ["by the mingw-w64 project"]),
    (r"/gcc/x86_64-w64-mingw32/", "GCC runtime", ["GCC RUNTIME LIBRARY EXCEPTION"]),
    (r"^[^/]", "gearmesh", None),  # a path inside the build folder
]


def flat(text):
    """The words of a text, whatever its line ends, indentation and byte order mark."""
    return " ".join(text.lstrip("\ufeff").split())


def licence():
    """LICENSE, flat, and its permission notice alone."""
    with open(LICENSE, encoding="utf-8") as f:
        text = flat(f.read())
    return text, text[text.index("Permission is hereby granted") :]


def linked_files(link_map):
    """The archives that gave the program a member, and the objects loaded whole."""
    files = set()
    in_members = False
    for line in open(link_map, encoding="utf-8", errors="replace"):
        if line.startswith("Archive member included"):
            in_members = True
        elif in_members and re.match(r"(Discarded input|Allocating common|Memory Configuration)", line):
            in_members = False
        m = re.match(r"(\S+\.a)\(", line)
        if in_members and m:
            files.add(m.group(1))
        m = re.match(r"LOAD (\S+\.o(bj)?)$", line.rstrip())
        if m:
            files.add(m.group(1))
    return files


def check_zip(zip_path, link_map):
    failures = []
    with zipfile.ZipFile(zip_path) as z:
        texts = {n: flat(z.read(n).decode("utf-8")) for n in z.namelist() if n.endswith(".txt")}
    notices = texts.get("gearmesh/THIRD-PARTY-NOTICES.txt", "")
    if texts.get("gearmesh/LICENSE.txt") != licence()[0]:
        failures.append("the zip's gearmesh/LICENSE.txt is not LICENSE")
    files = linked_files(link_map)
    if not any("libfreeglut_static.a" in f for f in files):
        failures.append("%s shows no freeglut: not the map of gearmesh.exe?" % link_map)
    found = set()
    for f in sorted(files):
        source = next((s for s in SOURCES if re.search(s[0], f)), None)
        found.add(source[1] if source else "?")
        if source is None:
            failures.append("no notice is known for %s: add it to packaging/notices/windows.txt "
                            "and to SOURCES in %s" % (f, __file__))
            continue
        for line in source[2] or []:
            if flat(line) not in notices:
                failures.append("THIRD-PARTY-NOTICES.txt lacks %r (%s, linked from %s)"
                                % (line, source[1], f))
    print("gearmesh.exe holds: %s" % ", ".join(sorted(found)))
    return sorted(set(failures))


def check_deb(root):
    with open(os.path.join(root, "usr/share/doc/gearmesh/copyright"), encoding="utf-8") as f:
        copyright = f.read()
    failures = []
    if not copyright.startswith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"):
        failures.append("the copyright file is not in Debian's machine-readable format")
    if not re.search(r"^Files: \*\nCopyright: 2026 the gearmesh developers\nLicense: Expat$",
                     copyright, re.M):
        failures.append("the copyright file does not give gearmesh's files the Expat licence")
    text = re.search(r"^License: Expat\n((?: .*\n?)+)", copyright, re.M)
    body = flat(re.sub(r"^ \.$", "", text.group(1), flags=re.M)) if text else ""
    if body != licence()[1]:
        failures.append("the copyright file's Expat text is not that of LICENSE")
    return failures


def main():
    failures = check_zip(*sys.argv[2:4]) if sys.argv[1] == "zip" else check_deb(sys.argv[2])
    for f in failures:
        print("FAIL:", f)
    print("notices: %s" % ("%d failures" % len(failures) if failures else "all present"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

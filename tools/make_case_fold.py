#!/usr/bin/env python3
"""Writes src/base/CaseFoldTable.h: Unicode's simple case folding (one code point for one) as runs, for
FoldCase. Run it with a Python whose Unicode version matches the Qt the program is built with:

    python3 tools/make_case_fold.py > src/base/CaseFoldTable.h
"""
import sys
import unicodedata


def simple_fold(c):
    ch = chr(c)
    folded = ch.casefold()
    if len(folded) == 1:
        return ord(folded)
    # A full folding of several code points; the simple one is the lower case where that is one code point.
    lower = ch.lower()
    return ord(lower) if len(lower) == 1 else c


runs = []  # [first, last, delta, stride]
for c in range(0x110000):
    if 0xD800 <= c <= 0xDFFF:
        continue
    f = simple_fold(c)
    if f == c:
        continue
    d = f - c
    if runs:
        first, last, delta, stride = runs[-1]
        if delta == d and stride in (0, 1) and c == last + 1:
            runs[-1] = [first, c, d, 1]
            continue
        if delta == d and stride in (0, 2) and c == last + 2:
            runs[-1] = [first, c, d, 2]
            continue
    runs.append([c, c, d, 0])

out = sys.stdout
out.write("#pragma once\n\n")
out.write("// Made by tools/make_case_fold.py from Unicode %s; do not edit.\n\n" % unicodedata.unidata_version)
out.write("#include <cstdint>\n\nnamespace plandeck::casefold {\n\n")
out.write("// Code points first..last (every one, or every second from first when `stride` is 2) fold to the code\n")
out.write("// point `delta` away.\n")
out.write("struct Run {\n    char32_t first;\n    char32_t last;\n    std::int32_t delta;\n    std::uint8_t stride;\n};\n\n")
out.write("// One run a line, as generated.\n// clang-format off\ninline constexpr Run Runs[] = {\n")
for first, last, delta, stride in runs:
    out.write("    {0x%04X, 0x%04X, %d, %d},\n" % (first, last, delta, max(stride, 1)))
out.write("};\n// clang-format on\n\n} // namespace plandeck::casefold\n")

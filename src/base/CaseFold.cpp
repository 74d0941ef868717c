#include "base/CaseFold.h"

#include "base/CaseFoldTable.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace plandeck {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t FoldByRuns(char32_t c) {
    // The last run that starts at or before c.
    const auto* end = std::end(casefold::Runs);
    const auto* run = std::upper_bound(std::begin(casefold::Runs), end, c,
                                       [](char32_t value, const casefold::Run& r) { return value < r.first; });
    if (run == std::begin(casefold::Runs))
        return c;
    --run;
    if (c > run->last || (c - run->first) % run->stride != 0)
        return c;
    return static_cast<char32_t>(static_cast<std::int32_t>(c) + run->delta);
}

// The code points of one and two UTF-8 bytes (Latin, Greek, Cyrillic, Armenian, Hebrew, Arabic …) by a
// table, so that folding a text in those scripts searches no runs.
constexpr char32_t TableEnd = 0x800;
const std::array<char32_t, TableEnd>& SmallFolds() {
    static const std::array<char32_t, TableEnd> table = [] {
        std::array<char32_t, TableEnd> t{};
        for (char32_t c = 0; c < TableEnd; ++c)
            t[c] = FoldByRuns(c);
        return t;
    }();
    return table;
}

} // namespace

char32_t FoldCodePoint(char32_t c) {
    return c < TableEnd ? SmallFolds()[c] : FoldByRuns(c);
}

std::string FoldCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    AppendFolded(out, utf8);
    return out;
}

void AppendFolded(std::string& out, std::string_view utf8) {
    const std::array<char32_t, TableEnd>& small = SmallFolds();
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            // A run of ASCII is copied whole and lowered in place.
            std::size_t end = i + 1;
            while (end < n && p[end] < 0x80)
                ++end;
            const std::size_t from = out.size();
            out.append(utf8.data() + i, end - i);
            for (std::size_t k = from; k < out.size(); ++k)
                if (out[k] >= 'A' && out[k] <= 'Z')
                    out[k] = static_cast<char>(out[k] + 32);
            i = end;
            continue;
        }
        const std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
        if (length == 0 || i + length > n) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        char32_t c = b & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            c = (c << 6) | (p[i + k] & 0x3F);
        AppendUtf8(out, c < TableEnd ? small[c] : FoldByRuns(c));
        i += length;
    }
}

} // namespace plandeck

#include "settings/SkinColours.h"

#include "base/TextFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace plandeck {

namespace {

constexpr long kLargestColour = 0xFFFFFF;

std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view blanks = " \t\r";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The three kinds of line a colour list holds.
enum class LineKind { Colour, Text, Truth };

LineKind KindOf(int line) {
    switch (line) {
    case 6:
    case 14:
    case 17:
    case 18:
    case 19:
    case 20:
        return LineKind::Text;
    case 15:
        return LineKind::Truth;
    default:
        return LineKind::Colour;
    }
}

std::optional<long>* ColourField(SkinColours& c, int line) {
    switch (line) {
    case 1:
        return &c.titleText;
    case 2:
        return &c.label4Text;
    case 3:
        return &c.label10Text;
    case 4:
        return &c.todayText;
    case 5:
        return &c.gridForeColour;
    case 7:
        return &c.yearText;
    case 8:
        return &c.hintText;
    case 9:
        return &c.aboutText;
    case 10:
        return &c.panelTitleText;
    case 11:
        return &c.commandText;
    case 12:
        return &c.clockHandColour;
    case 13:
        return &c.monthGridText;
    case 16:
        return &c.hintBackground;
    case 21:
        return &c.menuHighlight;
    case 22:
        return &c.menuText;
    default:
        return nullptr;
    }
}

std::optional<std::string>* TextField(SkinColours& c, int line) {
    switch (line) {
    case 6:
        return &c.rowLineColour;
    case 14:
        return &c.hourLineColour;
    default:
        return line >= 17 && line <= 20 ? &c.spanColour[static_cast<std::size_t>(line - 17)] : nullptr;
    }
}

} // namespace

std::optional<long> ColourValue(std::string_view text) {
    std::string_view digits = Trimmed(text);
    if (digits.empty() || digits.size() > 8 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    long value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (value > kLargestColour)
        return std::nullopt;
    return value;
}

std::optional<bool> TruthValue(std::string_view text) {
    std::string_view t = Trimmed(text);
    if (EqualsIgnoringCase(t, "true"))
        return true;
    if (EqualsIgnoringCase(t, "false"))
        return false;
    std::string_view number = t;
    if (!number.empty() && (number.front() == '-' || number.front() == '+'))
        number.remove_prefix(1);
    // Digits and a decimal point only: no second sign, no "inf" or "nan".
    if (number.empty() ||
        !std::all_of(number.begin(), number.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; }))
        return std::nullopt;
    double value = 0;
    auto res = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (res.ec != std::errc() || res.ptr != number.data() + number.size())
        return std::nullopt;
    return value != 0.0;
}

SkinColours ParseSkinColours(std::string_view bytes) {
    // A list saved by an editor that writes a byte-order mark still starts with its first colour.
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    TextLines lines{std::string(bytes)};
    SkinColours colours;
    const int count = static_cast<int>(std::min<std::size_t>(lines.size(), SkinColours::LineCount));
    for (int n = 1; n <= count; ++n) {
        std::string_view line = lines.line(static_cast<std::size_t>(n - 1));
        switch (KindOf(n)) {
        case LineKind::Colour: {
            std::optional<long> value = ColourValue(line);
            if (!value)
                return colours;
            *ColourField(colours, n) = value;
            break;
        }
        case LineKind::Text:
            *TextField(colours, n) = std::string(line);
            break;
        case LineKind::Truth: {
            std::optional<bool> on = TruthValue(line);
            if (!on)
                return colours;
            colours.stretchLeftPanel = on;
            break;
        }
        }
        colours.linesApplied = n;
    }
    return colours;
}

SkinColours LoadSkinColours(const std::string& colourListPath) {
    // Twenty-two short lines are all that is used; an enormous file is not read past that need.
    constexpr std::size_t kMostRead = 64 * 1024;
    std::string bytes = ReadFileStart(colourListPath, kMostRead).bytes;
    if (bytes.size() == kMostRead)
        bytes.erase(bytes.find_last_of("\r\n") + 1); // a line cut off by the limit is not read as a shorter value
    return ParseSkinColours(bytes);
}

Rgb ColourChannels(long value) {
    return {static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
            static_cast<int>((value >> 16) & 0xFF)};
}

} // namespace plandeck

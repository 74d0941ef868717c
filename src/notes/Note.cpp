#include "notes/Note.h"

#include "base/NumberForm.h"

namespace plandeck {

std::int64_t HexToNumber(std::string_view digits) {
    // Unsigned arithmetic: a long run of digits wraps instead of overflowing into undefined behaviour.
    std::uint64_t value = 0;
    for (char raw : digits) {
        const char c = (raw >= 'a' && raw <= 'z') ? static_cast<char>(raw - 'a' + 'A') : raw;
        std::uint64_t digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<std::uint64_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<std::uint64_t>(c - 'A' + 10);
        value = value * 16 + digit;
    }
    return static_cast<std::int64_t>(value);
}

std::string BinaryDigits(std::int64_t value, int width) {
    std::string digits;
    for (std::int64_t v = value; v >= 1; v /= 2)
        digits.insert(digits.begin(), (v % 2) ? '1' : '0');
    if (static_cast<int>(digits.size()) < width)
        digits.insert(digits.begin(), static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

std::string DecodeField(std::string_view field) {
    if (!field.empty() && field[0] == '0')
        return std::string(field.substr(1, 1));
    return std::string(field);
}

std::string PadField(std::string_view value) {
    if (value.size() == 1)
        return "0" + std::string(value);
    return std::string(value);
}

LineKind ClassifyLine(std::string_view line) {
    if (line.size() <= 1)
        return LineKind::Ignored;
    if (line.size() < static_cast<std::size_t>(Note::HeaderLength))
        return LineKind::Malformed;
    return LineKind::Note;
}

namespace {

// Hours are small unsigned numbers; anything that is not one reads as hour 0.
int HourValue(std::string_view decoded) {
    int v = IntegerValue(decoded);
    return (v < 0 || v > 255) ? 0 : v;
}

} // namespace

std::optional<Note> Note::Decode(std::string_view line) {
    if (ClassifyLine(line) != LineKind::Note)
        return std::nullopt;
    Note n;
    n.year = std::string(line.substr(0, 4));
    n.month = DecodeField(line.substr(4, 2));
    n.dayCode = DecodeField(line.substr(6, 2));
    n.startHour = HourValue(DecodeField(line.substr(8, 2)));
    n.startMinuteText = std::string(line.substr(10, 2));
    n.endHour = HourValue(DecodeField(line.substr(12, 2)));
    n.endMinuteText = std::string(line.substr(14, 2));
    n.startMinute = IntegerValue(n.startMinuteText);
    n.endMinute = IntegerValue(n.endMinuteText);
    n.category = static_cast<unsigned char>(line[16]) - FirstCategoryCode;
    n.text = std::string(line.substr(HeaderLength));
    return n;
}

std::string Note::encode() const {
    std::string line;
    line.reserve(HeaderLength + text.size());
    line += year;
    line += PadField(month);
    line += PadField(dayCode);
    line += PadField(std::to_string(startHour));
    line += PadField(startMinuteText.empty() ? std::to_string(startMinute) : startMinuteText);
    line += PadField(std::to_string(endHour));
    line += PadField(endMinuteText.empty() ? std::to_string(endMinute) : endMinuteText);
    line += static_cast<char>(FirstCategoryCode + category);
    line += text;
    return line;
}

std::string DayCodeForDayOfMonth(int day) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (int v = day; v > 0; v /= 16)
        out.insert(out.begin(), hex[v % 16]);
    return out.empty() ? "0" : out;
}

std::string DayCodeForWeekdays(int mask) {
    return DayCodeForDayOfMonth(31 + mask);
}

char CategoryChar(int category) {
    return static_cast<char>(Note::FirstCategoryCode + category);
}

} // namespace plandeck

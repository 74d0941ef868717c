#include "base/NumberForm.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace plandeck {

double NumericValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;
    // from_chars does not accept a leading '+' and needs at least one digit before the end of the range.
    std::string_view number = text.substr(start, i - start);
    bool negative = false;
    if (number.front() == '+' || number.front() == '-') {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    double value = 0.0;
    std::string buffer(number);
    if (buffer.front() == '.')
        buffer.insert(buffer.begin(), '0');
    if (buffer.back() == '.')
        buffer.pop_back();
    auto res = std::from_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (res.ec == std::errc::result_out_of_range)
        value = std::numeric_limits<double>::max();
    else if (res.ec != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

int IntegerValue(std::string_view text) {
    double v = std::nearbyint(NumericValue(text));
    if (v >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

int PlainDecimal(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits || text.size() > 9)
        return -1;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool FlagValue(std::string_view text) {
    return NumericValue(text) == 1.0;
}

std::string NumberForm(double value) {
    if (!std::isfinite(value))
        value = 0.0;
    char buf[400];
    double magnitude = std::fabs(value);
    auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed);
    std::string digits(buf, res.ptr);
    std::string out;
    out.reserve(digits.size() + 2);
    out += (value < 0 && magnitude != 0.0) ? '-' : ' ';
    out += digits;
    out += ' ';
    return out;
}

} // namespace plandeck

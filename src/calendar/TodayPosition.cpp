#include "calendar/TodayPosition.h"

#include "base/NumberForm.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace plandeck {

namespace {

// A number alone on the line, blanks around it allowed (" 12345 ", "-300"). Fractions round to whole twips.
std::optional<int> WholeNumber(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    const auto last = text.find_last_not_of(" \t");
    std::string_view number = text.substr(first, last - first + 1);
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    double value = 0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    // Nothing on a desktop lies this far out; the clamp only keeps the conversion defined.
    const double limit = 1e8;
    return static_cast<int>(std::nearbyint(std::clamp(value, -limit, limit)));
}

StoredCoordinate ReadCoordinate(std::string_view line, bool present) {
    if (!present || line.find_first_not_of(" \t") == std::string_view::npos)
        return {StoredCoordinate::Kind::Default, 0};
    if (const auto value = WholeNumber(line))
        return {StoredCoordinate::Kind::Value, *value};
    return {StoredCoordinate::Kind::Keep, 0};
}

int Resolve(const StoredCoordinate& stored, int current, int fallback) {
    switch (stored.kind) {
    case StoredCoordinate::Kind::Value:
        return stored.value;
    case StoredCoordinate::Kind::Keep:
        return current;
    case StoredCoordinate::Kind::Default:
        break;
    }
    return fallback;
}

int Overlap(int a, int aLength, int b, int bLength) {
    const long long from = std::max<long long>(a, b);
    const long long to = std::min<long long>(static_cast<long long>(a) + aLength, static_cast<long long>(b) + bLength);
    return to > from ? static_cast<int>(std::min<long long>(to - from, std::numeric_limits<int>::max())) : 0;
}

} // namespace

StoredTodayPosition ParseTodayPosition(std::string_view bytes) {
    std::string_view lines[2];
    int count = 0;
    ForEachLine(bytes, [&](std::string_view line) {
        lines[count++] = line;
        return count < 2;
    });
    return {ReadCoordinate(lines[0], count > 0), ReadCoordinate(lines[1], count > 1)};
}

StoredTodayPosition LoadTodayPosition(const std::string& path) {
    // Two short lines; a stray huge file is not read whole.
    return ParseTodayPosition(ReadFileStart(path, 4096).bytes);
}

std::string FormatTodayPosition(TwipPoint position) {
    return JoinLinesCrLf({NumberForm(position.left), NumberForm(position.top)});
}

WriteResult SaveTodayPosition(const std::string& path, TwipPoint position) {
    return RewriteFile(path, FormatTodayPosition(position));
}

TwipPoint DefaultTodayPosition(const TwipRect& primaryScreen) {
    return {primaryScreen.left + primaryScreen.width - 3500, primaryScreen.top + primaryScreen.height - 1800};
}

TwipPoint PlaceTodayWindow(const StoredTodayPosition& stored, TwipPoint current, const TwipRect& primaryScreen,
                           const std::vector<TwipRect>& screens, int windowWidth, int windowHeight) {
    const TwipPoint fallback = DefaultTodayPosition(primaryScreen);
    const TwipPoint wanted{Resolve(stored.left, current.left, fallback.left),
                           Resolve(stored.top, current.top, fallback.top)};
    // Enough of the window to take hold of it and read the time: half a title bar's width and a line's height.
    const int needWidth = std::min(windowWidth, 600);
    const int needHeight = std::min(windowHeight, 300);
    for (const TwipRect& screen : screens) {
        if (Overlap(wanted.left, windowWidth, screen.left, screen.width) >= needWidth &&
            Overlap(wanted.top, windowHeight, screen.top, screen.height) >= needHeight)
            return wanted;
    }
    return fallback;
}

} // namespace plandeck

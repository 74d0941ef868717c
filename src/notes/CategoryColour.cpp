#include "notes/CategoryColour.h"

#include "base/NumberForm.h"

#include <cmath>

namespace plandeck {

namespace {
constexpr long White = 0xFFFFFF;
}

long CategoryColourValue(std::string_view colourLine) {
    std::size_t i = colourLine.find_first_not_of(" \t");
    if (i == std::string_view::npos)
        return White;
    if (colourLine[i] == '+' || colourLine[i] == '-')
        ++i;
    if (i < colourLine.size() && colourLine[i] == '.')
        ++i;
    if (i >= colourLine.size() || colourLine[i] < '0' || colourLine[i] > '9')
        return White;
    // Compared as a double before any conversion: a line of twenty digits has no long value.
    const double value = std::nearbyint(NumericValue(colourLine));
    if (!(value >= 0 && value <= static_cast<double>(White)))
        return White;
    return static_cast<long>(value);
}

} // namespace plandeck

#include "settings/TextContrast.h"

#include <algorithm>
#include <cmath>

namespace plandeck {

namespace {

constexpr long Black = 0;
constexpr long White = 0xFFFFFF;

// One channel 0..255 as the share of light it gives, undoing the screen's gamma.
double Linear(long channel) {
    const double c = static_cast<double>(channel) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(long colour) {
    // Out-of-range values (a damaged file) are read as the colour their low 24 bits give.
    const long c = colour & White;
    return 0.2126 * Linear(c & 0xFF) + 0.7152 * Linear((c >> 8) & 0xFF) + 0.0722 * Linear((c >> 16) & 0xFF);
}

} // namespace

double ContrastRatio(long first, long second) {
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

long ReadableTextColour(long preferred, long background) {
    if (ContrastRatio(preferred, background) >= ReadableContrast)
        return preferred;
    return ContrastRatio(Black, background) >= ContrastRatio(White, background) ? Black : White;
}

} // namespace plandeck

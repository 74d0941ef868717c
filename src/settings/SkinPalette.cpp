#include "settings/SkinPalette.h"

#include "settings/TextContrast.h"

#include <algorithm>
#include <cmath>

namespace plandeck {

namespace {

constexpr long Black = 0;
constexpr long White = 0xFFFFFF;

// Designed colours, for a colour list that leaves a line out.
constexpr long DesignedGround = 0xF4EFEC; // red 236, green 239, blue 244: the hint line's designed ground
constexpr long DesignedInk = 0x3C3028;    // red 40, green 48, blue 60
constexpr long DesignedHighlight = 0xEB6F2F;
constexpr long WarningRed = 0x1010C0;      // red 192, green 16, blue 16
constexpr long WarningLightRed = 0x8A8AFF; // a red that reads on dark grounds

int Channel(long colour, int shift) {
    return static_cast<int>((colour >> shift) & 0xFF);
}

bool DarkGround(long colour) {
    return ContrastRatio(colour, White) > ContrastRatio(colour, Black);
}

// `wanted` where it reads on every ground; otherwise black or white, whichever reads better on the worst.
long InkFor(long wanted, std::initializer_list<long> grounds) {
    auto worst = [&](long ink) {
        double least = 21;
        for (long g : grounds)
            least = std::min(least, ContrastRatio(ink, g));
        return least;
    };
    if (worst(wanted) >= ReadableContrast)
        return wanted;
    return worst(Black) >= worst(White) ? Black : White;
}

} // namespace

long MixColours(long a, long b, double share) {
    auto mix = [&](int shift) {
        const double v = Channel(a, shift) * (1 - share) + Channel(b, shift) * share;
        return static_cast<long>(std::clamp(std::lround(v), 0L, 255L)) << shift;
    };
    return mix(0) | mix(8) | mix(16);
}

SkinPalette PaletteOfSkin(const SkinColours& colours) {
    SkinPalette p;
    p.window = colours.hintBackground.value_or(DesignedGround) & White;
    p.dark = DarkGround(p.window);
    p.windowText = InkFor(colours.commandText.value_or(DesignedInk) & White, {p.window});
    // Boxes stand out from the window: white on a light skin, a shade lighter than the window on a dark one.
    p.base = p.dark ? MixColours(p.window, White, 0.06) : White;
    p.text = InkFor(p.windowText, {p.base});
    p.alternateBase = MixColours(p.base, p.text, 0.04);
    p.button = p.dark ? MixColours(p.window, White, 0.12) : MixColours(p.window, Black, 0.05);
    p.buttonText = InkFor(p.windowText, {p.button});
    p.highlight = colours.menuHighlight.value_or(DesignedHighlight) & White;
    p.highlightedText = ReadableTextColour(p.dark ? p.window : White, p.highlight);
    p.link = InkFor(colours.aboutText.value_or(p.highlight) & White, {p.window, p.base});
    p.warningText = InkFor(p.dark ? WarningLightRed : WarningRed, {p.base, p.window});
    p.disabledText = MixColours(p.window, p.windowText, 0.45);
    p.frame = MixColours(p.window, p.windowText, 0.25);
    p.toolTipBase = p.base;
    p.toolTipText = p.text;
    return p;
}

} // namespace plandeck

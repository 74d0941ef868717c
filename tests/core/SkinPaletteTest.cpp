#include "settings/SkinPalette.h"
#include "base/TextFile.h"
#include "settings/TextContrast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace plandeck;

namespace {

constexpr long Colour(long r, long g, long b) {
    return r + 256 * g + 65536 * b;
}

std::string Lines(const std::vector<std::pair<int, std::string>>& set) {
    std::vector<std::string> lines(22, "0");
    // Lines not given are black ("0"); the list ends after the last one given.
    int last = 0;
    for (const auto& [line, value] : set) {
        lines[static_cast<std::size_t>(line - 1)] = value;
        last = std::max(last, line);
    }
    std::string bytes;
    for (int i = 0; i < last; ++i)
        bytes += lines[static_cast<std::size_t>(i)] + "\r\n";
    return bytes;
}

} // namespace

// Whatever a colour list says, every ink of the windows reads on its ground, and the windows are dark exactly
// when the skin's ground is.
TEST(SkinPalette, EveryInkReadsOnItsGroundWhateverTheSkin) {
    struct Case {
        const char* what;
        std::string colourList;
        bool dark;
    };
    const std::string shipped = std::string(PLANDECK_DATA_DIR) + "/pdskins/";
    const Case cases[] = {
        {"the shipped light skin", ReadWholeFile(shipped + "Default/colors.txt").bytes, false},
        {"the shipped dark skin", ReadWholeFile(shipped + "Midnight/colors.txt").bytes, true},
        {"no colour list", "", false},
        {"black text on a black ground", Lines({{9, "0"}, {11, "0"}, {16, "0"}, {21, "0"}}), true},
        {"white text on a white ground", Lines({{9, "16777215"}, {11, "16777215"}, {16, "16777215"}, {21, "16777215"}}),
         false},
        {"mid grey everywhere", Lines({{9, "8421504"}, {11, "8421504"}, {16, "8421504"}, {21, "8421504"}}), false},
        {"a dark navy ground with pale red links", Lines({{9, std::to_string(Colour(255, 180, 180))}, {16, "2629403"}}),
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SkinPalette p = PaletteOfSkin(ParseSkinColours(c.colourList));
        EXPECT_EQ(p.dark, c.dark);
        const std::pair<const char*, std::pair<long, long>> pairs[] = {
            {"window text", {p.windowText, p.window}},
            {"box text", {p.text, p.base}},
            {"alternate rows", {p.text, p.alternateBase}},
            {"buttons", {p.buttonText, p.button}},
            {"highlighted text", {p.highlightedText, p.highlight}},
            {"links on windows", {p.link, p.window}},
            {"links in boxes", {p.link, p.base}},
            {"warnings on windows", {p.warningText, p.window}},
            {"warnings in boxes", {p.warningText, p.base}},
            {"tooltips", {p.toolTipText, p.toolTipBase}},
        };
        for (const auto& [role, inkOnGround] : pairs)
            EXPECT_GE(ContrastRatio(inkOnGround.first, inkOnGround.second), ReadableContrast) << role;
    }
}

TEST(SkinPalette, TheShippedSkinsKeepTheirOwnColours) {
    const std::string shipped = std::string(PLANDECK_DATA_DIR) + "/pdskins/";
    const SkinPalette midnight = PaletteOfSkin(LoadSkinColours(shipped + "Midnight/colors.txt"));
    EXPECT_EQ(midnight.window, Colour(0x1B, 0x1F, 0x28)) << "the hint line's ground";
    EXPECT_EQ(midnight.windowText, Colour(0xE4, 0xE8, 0xEF)) << "the commands' colour";
    EXPECT_EQ(midnight.highlight, Colour(0x8F, 0xB3, 0xFF)) << "the note menu's highlight";
    const SkinPalette light = PaletteOfSkin(LoadSkinColours(shipped + "Default/colors.txt"));
    EXPECT_EQ(light.window, Colour(0xF4, 0xF6, 0xF9));
    EXPECT_EQ(light.base, Colour(255, 255, 255));
    EXPECT_EQ(light.windowText, Colour(0x1E, 0x26, 0x33));
}

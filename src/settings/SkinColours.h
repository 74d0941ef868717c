#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace plandeck {

// What a skin's colour list (colors.txt) says, line by line. Colours are 0x00BBGGRR values (red in the low
// byte) written in decimal. A value that is not set leaves its element with its designed colour.
struct SkinColours {
    static constexpr int LineCount = 22;

    std::optional<long> titleText;                        // 1: Label42
    std::optional<long> label4Text;                       // 2: Label4, and the options window's title
    std::optional<long> label10Text;                      // 3: Label10
    std::optional<long> todayText;                        // 4: Label37, Label38, Label39
    std::optional<long> gridForeColour;                   // 5: the hour grid's drawing colour
    std::optional<std::string> rowLineColour;             // 6: kept as text
    std::optional<long> yearText;                         // 7: Label11(0) and Label11(7)
    std::optional<long> hintText;                         // 8: Label30
    std::optional<long> aboutText;                        // 9: Label41, Label17
    std::optional<long> panelTitleText;                   // 10: Label26, Label27, Label28
    std::optional<long> commandText;                      // 11: Label23, Label31, Label24, Label25, Label9, Label13
    std::optional<long> clockHandColour;                  // 12: Line16, Line17
    std::optional<long> monthGridText;                    // 13: Label3, Label8, Label6(0..6)
    std::optional<std::string> hourLineColour;            // 14: kept as text
    std::optional<bool> stretchLeftPanel;                 // 15: Image31 takes the left panel's whole height
    std::optional<long> hintBackground;                   // 16: Label30
    std::array<std::optional<std::string>, 4> spanColour; // 17-20: working spans 0..3, kept as text
    std::optional<long> menuHighlight;                    // 21: outline of Shape7
    std::optional<long> menuText;                         // 22: Label15, Label18, Label19

    int linesApplied = 0; // lines 1..linesApplied were taken
};

// Reads a colour list. Lines are taken from the first on; the first colour or truth-value line that does not
// read stops the list there, and the lines before it stay applied. Lines after 22 are ignored. Colour-text
// lines are kept as written, whatever they hold.
SkinColours ParseSkinColours(std::string_view bytes);

// The colour list of a skin; a missing file sets nothing.
SkinColours LoadSkinColours(const std::string& colourListPath);

// A colour line's value: a decimal whole number 0..16777215, blanks around it allowed. Also how the code that
// draws with a colour-text line converts it; no value means "keep the designed colour".
std::optional<long> ColourValue(std::string_view text);

// A truth-value line: "True" or "False" (any case), or a number where anything but 0 is on.
std::optional<bool> TruthValue(std::string_view text);

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The channels of a 0x00BBGGRR colour value.
Rgb ColourChannels(long value);

} // namespace plandeck

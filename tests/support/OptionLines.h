#pragma once

#include <string>
#include <vector>

namespace plandeck::test {

// The 26 lines of a main option file for window tests: Default skin, English, three days from 8 to 20,
// DejaVu Sans 9, a 900 x 600 window, every category shown, no confirmation, snap step 5.
inline std::vector<std::string> OptionLines() {
    std::vector<std::string> options(26, " 0 ");
    options[8] = std::string(101, '1');
    options[9] = "Default";
    options[12] = "08000800080008001600160016001600";
    options[14] = "1111";
    options[15] = "DejaVu Sans";
    options[16] = " 9 ";
    options[18] = " 9000 ";
    options[19] = " 13500 ";
    options[20] = " 5 ";
    options[21] = "English.lng";
    options[22] = " 3 ";
    options[23] = " 8 ";
    options[24] = " 20 ";
    options[25] = "";
    return options;
}

} // namespace plandeck::test

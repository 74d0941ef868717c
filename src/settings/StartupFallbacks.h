#pragma once

#include "base/DataDirectory.h"

#include <string>

namespace plandeck {

// The skin to show: the chosen one when its folder exists, otherwise the default skin when that exists,
// otherwise the chosen name (the window then keeps its plain built-in look).
std::string ChooseSkinName(const DataDirectory& dataDir, const std::string& chosen);

// The language file to read: the chosen one when it exists, otherwise English, otherwise the first file
// of the language folder in name order. Empty when the folder holds no language at all; the program then
// falls back on the English texts built into it.
std::string ChooseLanguageFile(const DataDirectory& dataDir, const std::string& chosen);

inline constexpr const char* DefaultLanguageFile = "English.lng";

} // namespace plandeck

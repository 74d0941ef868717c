#pragma once

#include "base/DataDirectory.h"

#include <string>

namespace plandeck {

// The skin to show: the chosen one when its folder exists, otherwise the default skin when that exists,
// otherwise the chosen name (the window then keeps its plain built-in look). Only what is shown changes:
// the name the user chose is what the options keep and save, so the skin comes back once its folder does.
std::string ChooseSkinName(const DataDirectory& dataDir, const std::string& chosen);

// The language file to read: the chosen one when it gives texts, otherwise English.lng when that does.
// Empty when neither does; the program then shows the English texts built into it. Never another language
// the user did not choose. A file that is missing, cannot be read, is empty or has no text in any entry the
// program shows does not give texts. As with the skin, the chosen name is what the options keep.
std::string ChooseLanguageFile(const DataDirectory& dataDir, const std::string& chosen);

inline constexpr const char* DefaultLanguageFile = "English.lng";

} // namespace plandeck

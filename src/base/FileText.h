#pragma once

#include <string>
#include <string_view>

namespace plandeck {

// Whether bytes are well-formed UTF-8: no stray continuation byte, no cut-off sequence, no overlong form,
// no surrogate, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// A text of the data files as UTF-8, by the rule the windows read them with: the bytes as they are when
// they are valid UTF-8, otherwise each byte is a Latin-1 character (files written by older programs in an
// 8-bit code page).
std::string FileTextAsUtf8(std::string_view bytes);

} // namespace plandeck

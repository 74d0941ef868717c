#pragma once

#include <string>
#include <string_view>

namespace plandeck {

// True when `name` can only ever mean an entry directly inside its folder: not empty, no path separator
// ("/" or "\"), no "..", no control character, and not ".". Skin and language names come from an option
// file that anyone can edit; a name such as "../../somewhere" must not make the program read files outside
// its skins or language folder.
bool IsPlainName(std::string_view name);

// `name` when it is a plain name, otherwise `fallback`.
std::string PlainNameOr(std::string_view name, std::string_view fallback);

} // namespace plandeck

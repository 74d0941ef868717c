#pragma once

#include <string_view>

namespace plandeck {

// A category's colour line as a colour: its numeric value when that is a colour 0..16777215; white when the
// line holds no number or a value that is no colour. The category panel and the note tiles both paint by
// this rule, so a category looks the same in both.
long CategoryColourValue(std::string_view colourLine);

} // namespace plandeck

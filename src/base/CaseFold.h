#pragma once

#include <string>
#include <string_view>

namespace plandeck {

// Unicode's simple case folding of one code point (as QChar::toCaseFolded gives it): "Д" and "д" both give
// "д", "Σ", "σ" and "ς" all give "σ". Code points without a folding stay as they are.
char32_t FoldCodePoint(char32_t c);

// A UTF-8 text with every code point folded, for comparing texts whatever their letters' case. The text must
// be valid UTF-8 (FileTextAsUtf8 makes any file text so); a byte that starts no sequence is kept as it is.
std::string FoldCase(std::string_view utf8);
// The same, added to the end of `out`.
void AppendFolded(std::string& out, std::string_view utf8);

} // namespace plandeck

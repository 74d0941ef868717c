#pragma once

#include <QColor>
#include <QString>
#include <limits>
#include <string>
#include <string_view>

namespace plandeck {

// Texts from the data files: UTF-8, or Latin-1 when the bytes are not valid UTF-8 (files written by older
// programs in an 8-bit code page).
QString FromFileText(std::string_view bytes);
// Texts the user typed, as they are stored: UTF-8.
std::string ToFileText(const QString& text);

// The most characters a line edit that holds a note's text may take. Qt cuts a line edit's text at 32,767
// characters unless told otherwise; a note has no limit of its own, and no editor may shorten one.
inline constexpr int NoteTextLimit = std::numeric_limits<int>::max();

// A stored colour number (red in the low byte, then green, then blue) as a colour, and back.
QColor FromColourNumber(long value);
long ToColourNumber(const QColor& colour);

} // namespace plandeck

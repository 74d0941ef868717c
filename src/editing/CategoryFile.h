#pragma once

#include "base/TextFile.h"
#include "base/TrackedFile.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace plandeck {

// A category's name and colour as the user chose them; the colour is red + 256 x green + 65536 x blue.
struct CategoryChoice {
    std::string name;
    long colour = 0;
};

// What the user answered when renaming a category: the new name, and the new colour unless the colour picker
// was cancelled (the category then keeps its colour).
struct CategoryRename {
    std::string name;
    std::optional<long> colour;
};

// What a change of the category file did.
struct CategoryFileChange {
    bool written = false; // the file was rewritten
    WriteResult write;    // how that went; a failure leaves the old file as it was
};

// The changes of the category file's lines for each command. They work on the records the table reads: a
// name line and a colour line each; a blank line left over at the end of a file with an odd number of lines
// is no record and goes.
LineChange AddCategoryChange(const TextLines& lines, const CategoryChoice& category);
LineChange DeleteLastCategoryChange(const TextLines& lines);
// Every category named `name` gets a new name and colour, asking `ask` once for each in file order; nothing
// when none is named so or an answer is nothing.
std::optional<LineChange>
RenameCategoryChange(const TextLines& lines, std::string_view name,
                     const std::function<std::optional<CategoryRename>(std::string_view colourLine)>& ask);

// Adds a category at the end of the file: its name line and its colour line. A missing file is created.
CategoryFileChange AddCategory(const std::string& path, const CategoryChoice& category);

// Drops the last two lines of the file (the last category). A file of two lines or fewer ends up empty.
CategoryFileChange DeleteLastCategory(const std::string& path);

// Gives every category named `name` a new name and colour, asking `ask` once for each such category in
// file order, with that category's colour line. Only name lines are compared, never colour lines: a
// category called "255" is not mistaken for another one's colour. An answer without a colour keeps the
// colour line as it was. When any answer is nothing or an empty name, the file stays as it was.
CategoryFileChange RenameCategory(const std::string& path, std::string_view name,
                                  const std::function<std::optional<CategoryRename>(std::string_view colourLine)>& ask);

} // namespace plandeck

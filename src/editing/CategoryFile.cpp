#include "editing/CategoryFile.h"

#include <algorithm>
#include <vector>

namespace plandeck {

namespace {

CategoryFileChange Unreadable(const std::string& path) {
    return {false, WriteResult::Failure("Cannot read " + path)};
}

// A name is one line of the file.
std::string OneLine(std::string name) {
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return name;
}

std::string_view WithoutCarriageReturn(std::string_view line) {
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

// Whether the file ends in a blank line that stands where a name would: no record, and in the way of one.
bool EndsWithStrayBlankLine(const TextLines& lines) {
    return lines.size() % 2 == 1 && WithoutCarriageReturn(lines.line(lines.size() - 1)).empty();
}

// Reads the file once, works out the change on it and rewrites it; a file that cannot be read is left alone.
template <class Build>
CategoryFileChange RewriteWith(const std::string& path, Build build) {
    ReadResult file = ReadWholeFile(path);
    if (file.failed())
        return Unreadable(path);
    const TextLines held(std::move(file.bytes));
    const std::optional<LineChange> change = build(held);
    if (!change)
        return {};
    LineChange applied;
    CategoryFileChange result;
    result.write = RewriteFile(path, BuildLines(held, *change, JoinRule::CrLfAfterEach, applied));
    result.written = result.write.ok;
    return result;
}

} // namespace

LineChange AddCategoryChange(const TextLines& lines, const CategoryChoice& category) {
    LineChange change;
    std::size_t end = lines.size();
    if (EndsWithStrayBlankLine(lines)) {
        --end;
        change.removed.push_back({end, std::string(lines.line(end))});
    } else if (lines.size() % 2 == 1) {
        // The last name has no colour line: it gets an empty one, as the table reads it, before the new record.
        change.added.push_back({end++, std::string()});
    }
    change.added.push_back({end, OneLine(category.name)});
    change.added.push_back({end + 1, std::to_string(category.colour)});
    return change;
}

LineChange DeleteLastCategoryChange(const TextLines& lines) {
    LineChange change;
    std::size_t n = lines.size();
    std::size_t keep = n;
    if (EndsWithStrayBlankLine(lines))
        keep = n >= 3 ? n - 3 : 0;
    else if (n % 2 == 1)
        keep = n - 1; // a last name without its colour line
    else
        keep = n >= 2 ? n - 2 : 0;
    for (std::size_t i = keep; i < n; ++i)
        change.removed.push_back({i, std::string(lines.line(i))});
    return change;
}

std::optional<LineChange>
RenameCategoryChange(const TextLines& lines, std::string_view name,
                     const std::function<std::optional<CategoryRename>(std::string_view colourLine)>& ask) {
    LineChange change;
    // Records are pairs of lines from the first: even positions hold names, odd ones colours. Only name lines
    // are compared: a category called "255" is not mistaken for another one's colour.
    std::ptrdiff_t growth = 0;
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        if (EndsWithStrayBlankLine(lines) && i + 1 == lines.size())
            break;
        if (WithoutCarriageReturn(lines.line(i)) != name)
            continue;
        const bool hasColour = i + 1 < lines.size();
        const std::optional<CategoryRename> choice =
            ask(hasColour ? WithoutCarriageReturn(lines.line(i + 1)) : std::string_view());
        if (!choice || choice->name.empty())
            return std::nullopt;
        const std::size_t at = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(i) + growth);
        change.removed.push_back({i, std::string(lines.line(i))});
        change.added.push_back({at, OneLine(choice->name)});
        // Without a new colour the colour line stays as it was.
        if (!choice->colour)
            continue;
        if (hasColour)
            change.removed.push_back({i + 1, std::string(lines.line(i + 1))});
        else
            ++growth;
        change.added.push_back({at + 1, std::to_string(*choice->colour)});
    }
    if (change.empty())
        return std::nullopt;
    return change;
}

CategoryFileChange AddCategory(const std::string& path, const CategoryChoice& category) {
    return RewriteWith(path, [&](const TextLines& lines) { return std::optional(AddCategoryChange(lines, category)); });
}

CategoryFileChange DeleteLastCategory(const std::string& path) {
    return RewriteWith(path, [](const TextLines& lines) { return std::optional(DeleteLastCategoryChange(lines)); });
}

CategoryFileChange
RenameCategory(const std::string& path, std::string_view name,
               const std::function<std::optional<CategoryRename>(std::string_view colourLine)>& ask) {
    return RewriteWith(path, [&](const TextLines& lines) { return RenameCategoryChange(lines, name, ask); });
}

} // namespace plandeck

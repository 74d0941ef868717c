#include "editing/CategoryFile.h"

#include <algorithm>
#include <vector>

namespace plandeck {

namespace {

// The file's lines, or nothing when it exists but cannot be read: such a file must never be replaced.
std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
    ReadResult file = ReadWholeFile(path);
    if (file.failed())
        return std::nullopt;
    return TextLines(std::move(file.bytes)).toStrings();
}

CategoryFileChange Unreadable(const std::string& path) {
    return {false, WriteResult::Failure("Cannot read " + path)};
}

CategoryFileChange Rewrite(const std::string& path, const std::vector<std::string>& lines) {
    CategoryFileChange change;
    change.write = RewriteFile(path, JoinLinesCrLf(lines));
    change.written = change.write.ok;
    return change;
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

} // namespace

CategoryFileChange AddCategory(const std::string& path, const CategoryChoice& category) {
    auto lines = ReadLines(path);
    if (!lines)
        return Unreadable(path);
    lines->push_back(OneLine(category.name));
    lines->push_back(std::to_string(category.colour));
    return Rewrite(path, *lines);
}

CategoryFileChange DeleteLastCategory(const std::string& path) {
    auto lines = ReadLines(path);
    if (!lines)
        return Unreadable(path);
    lines->resize(lines->size() > 2 ? lines->size() - 2 : 0);
    return Rewrite(path, *lines);
}

CategoryFileChange
RenameCategory(const std::string& path, std::string_view name,
               const std::function<std::optional<CategoryRename>(std::string_view colourLine)>& ask) {
    auto lines = ReadLines(path);
    if (!lines)
        return Unreadable(path);
    std::vector<std::string> kept;
    kept.reserve(lines->size());
    bool matched = false;
    // Records are pairs of lines from the first: even positions hold names, odd ones colours.
    for (std::size_t i = 0; i < lines->size(); i += 2) {
        const std::string& nameLine = (*lines)[i];
        const bool hasColour = i + 1 < lines->size();
        if (WithoutCarriageReturn(nameLine) != name) {
            kept.push_back(nameLine);
            if (hasColour)
                kept.push_back((*lines)[i + 1]);
            continue;
        }
        const std::optional<CategoryRename> choice =
            ask(hasColour ? WithoutCarriageReturn((*lines)[i + 1]) : std::string_view());
        if (!choice || choice->name.empty())
            return {};
        matched = true;
        kept.push_back(OneLine(choice->name));
        if (choice->colour)
            kept.push_back(std::to_string(*choice->colour));
        else if (hasColour)
            kept.push_back((*lines)[i + 1]);
    }
    if (!matched)
        return {};
    return Rewrite(path, kept);
}

} // namespace plandeck

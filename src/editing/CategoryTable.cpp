#include "editing/CategoryTable.h"

#include "base/NumberForm.h"

#include <algorithm>
#include <filesystem>

namespace plandeck {

namespace {

const std::string kEmpty;

bool InTable(int category) {
    return category >= 0 && category < CategoryTable::Count;
}

std::string_view WithoutCarriageReturn(std::string_view line) {
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

// Only a path that names nothing at all counts as missing: a file that cannot be read must never be
// replaced by an empty one.
bool Missing(const std::string& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() == std::filesystem::file_type::not_found;
}

} // namespace

int CategoryRowCount(int records, int room) {
    return std::clamp(records + 1, CategoryPanel::RowCount, std::max(room, CategoryPanel::RowCount));
}

CategoryTable::CategoryTable() {
    m_shown.fill("1");
}

CategoryPanel CategoryTable::LoadCategories(const std::string& path, int first, int room) {
    CategoryPanel panel;
    ReadResult file = ReadWholeFile(path);
    if (!file.exists && Missing(path)) {
        panel.creation = RewriteFile(path, "");
        panel.fileCreated = panel.creation.ok;
    }
    CategoryPanel loaded = LoadCategoriesFrom(TextLines(std::move(file.bytes)), first, room);
    loaded.fileCreated = panel.fileCreated;
    loaded.creation = panel.creation;
    return loaded;
}

CategoryPanel CategoryTable::LoadCategoriesFrom(const TextLines& lines, int first, int room) {
    CategoryPanel panel;
    m_records = static_cast<int>(std::min<std::size_t>((lines.size() + 1) / 2, Count));
    for (int n = 0; n < Count; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (n < m_records) {
            m_names[i] = std::string(WithoutCarriageReturn(lines.line(2 * i)));
            // A last name without its colour line gets an empty colour.
            m_colours[i] = 2 * i + 1 < lines.size() ? std::string(WithoutCarriageReturn(lines.line(2 * i + 1))) : "";
        } else {
            m_names[i].clear();
            m_colours[i].clear();
            m_shown[i] = "1";
        }
    }

    const int rowCount = CategoryRowCount(m_records, room);
    panel.rows.resize(static_cast<std::size_t>(rowCount));
    // The scroll bar cannot go past the last rows' worth of categories, so neither can the first row.
    panel.scrollBarVisible = m_records >= rowCount;
    panel.scrollMaximum = panel.scrollBarVisible ? m_records - rowCount : 0;
    panel.first = std::clamp(first, 0, panel.scrollMaximum);
    for (int r = 0; r < rowCount; ++r) {
        const int n = panel.first + r;
        if (n >= m_records)
            break;
        CategoryRow& row = panel.rows[static_cast<std::size_t>(r)];
        row.caption = m_names[static_cast<std::size_t>(n)];
        row.ticked = FlagValue(m_shown[static_cast<std::size_t>(n)]);
        row.colour = CategoryColourValue(m_colours[static_cast<std::size_t>(n)]);
        row.visible = true;
    }
    return panel;
}

void CategoryTable::setShownFlags(const std::vector<std::string>& flags) {
    for (std::size_t i = 0; i < m_shown.size(); ++i)
        m_shown[i] = i < flags.size() ? flags[i] : "";
}

std::vector<std::string> CategoryTable::shownFlags() const {
    return {m_shown.begin(), m_shown.end()};
}

void CategoryTable::setShown(int category, bool shown) {
    if (InTable(category))
        m_shown[static_cast<std::size_t>(category)] = shown ? "1" : "0";
}

const std::string& CategoryTable::name(int category) const {
    return InTable(category) ? m_names[static_cast<std::size_t>(category)] : kEmpty;
}

const std::string& CategoryTable::colour(int category) const {
    return InTable(category) ? m_colours[static_cast<std::size_t>(category)] : kEmpty;
}

const std::string& CategoryTable::shown(int category) const {
    return InTable(category) ? m_shown[static_cast<std::size_t>(category)] : kEmpty;
}

bool CategoryTable::isShown(int category) const {
    return !InTable(category) || FlagValue(m_shown[static_cast<std::size_t>(category)]);
}

long CategoryTable::tileColour(int category) const {
    return CategoryColourValue(colour(category));
}

} // namespace plandeck

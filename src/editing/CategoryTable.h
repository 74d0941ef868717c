#pragma once

#include "base/TextFile.h"
#include "notes/CategoryColour.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace plandeck {

// A row of the category panel: a check box and a name label, both in the category colour.
struct CategoryRow {
    std::string caption;
    bool ticked = false; // the category's notes are shown
    long colour = 0xFFFFFF;
    bool visible = false;

    friend bool operator==(const CategoryRow&, const CategoryRow&) = default;
};

// What the category panel shows after a load.
struct CategoryPanel {
    // The panel shows six rows at the least; a taller window gives it room for more.
    static constexpr int RowCount = 6;

    std::vector<CategoryRow> rows = std::vector<CategoryRow>(RowCount);
    int first = 0;                 // the category in row 0, the scroll bar's value
    bool scrollBarVisible = false; // shown when there are as many categories as rows, or more
    int scrollMaximum = 0;         // the scroll bar runs from 0 to this
    bool fileCreated = false;      // the category file was missing and has been created empty
    WriteResult creation;          // how creating it went
};

// How many rows the category panel shows for `records` categories when it has room for `room` rows: every
// category and an empty row for the next one where they fit, and six at the least.
int CategoryRowCount(int records, int room);

// The categories 0..100 of the category file: name, colour and shown flag, all kept as texts the way the
// file and the option file hold them.
class CategoryTable {
public:
    static constexpr int Count = 101;
    static constexpr long White = 0xFFFFFF;

    CategoryTable();

    // Reloads names and colours from the category file and fills the panel rows from category `first`
    // on. The file holds a name line and a colour line per category; records past the 101st are not
    // loaded. The file is never changed, except that a missing one is created empty. Shown flags of
    // categories with a record stay as they are; every other category is shown. `room` is the number of rows
    // the panel has space for: it shows every category and an empty row for the next where they fit, and
    // never fewer than six rows.
    CategoryPanel LoadCategories(const std::string& path, int first, int room = CategoryPanel::RowCount);
    // The same from the file's lines as its owner holds them; nothing is created.
    CategoryPanel LoadCategoriesFrom(const TextLines& lines, int first, int room = CategoryPanel::RowCount);

    // The shown flags of categories 0..100, as the option file stores them ("1" shown, "0" hidden).
    void setShownFlags(const std::vector<std::string>& flags);
    std::vector<std::string> shownFlags() const;
    void setShown(int category, bool shown);

    // Texts of category i; empty for an index outside 0..100.
    const std::string& name(int category) const;
    const std::string& colour(int category) const;
    const std::string& shown(int category) const;

    // Whether the notes of a category are shown: its flag reads exactly 1. A category code outside the
    // table stands for no category, whose notes are shown like those of an index without a record.
    bool isShown(int category) const;
    // The colour a note of the category is painted in: white when the category has no usable colour.
    long tileColour(int category) const;
    // The three columns of the table whole, for readers that take them all (the week refresh).
    const std::array<std::string, Count>& names() const { return m_names; }
    const std::array<std::string, Count>& colours() const { return m_colours; }
    const std::array<std::string, Count>& shownColumn() const { return m_shown; }
    // How many records the last load found (at most 101).
    int recordCount() const { return m_records; }

private:
    std::array<std::string, Count> m_names{};
    std::array<std::string, Count> m_colours{};
    std::array<std::string, Count> m_shown{};
    int m_records = 0;
};

} // namespace plandeck

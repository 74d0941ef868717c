#include "session/Session.h"

#include "editing/CategoryFile.h"
#include "settings/LanguageEntries.h"

namespace plandeck {

namespace {

// Where the colour picker opens for the first new category: a light colour, on which notes read well.
constexpr long FirstNewCategoryColour = 0xF0D8B0; // red 176, green 216, blue 240: a light sky blue

} // namespace

Changes Session::categoriesChanged() {
    Changes changes = scrollCategories(0);
    // The day view gives every shown category a sub-column, so the grid itself changes there.
    changes |= m_nav.days() == 1 ? layOutGrid() : refreshNotes();
    return changes;
}

Changes Session::changeCategories(const LineChange& change, EditKind kind) {
    const ChangeOutcome outcome = m_categoryFile.apply(change);
    if (!outcome.done())
        return refused(outcome, m_dataDir.categoryFile());
    m_history.record({EditedFile::Categories, kind, outcome.applied});
    return categoriesChanged();
}

Changes Session::addCategory() {
    const std::optional<std::string> name = m_questions.askText(m_language.entry(Entry::AskCategoryName), {}, {});
    if (!name || name->empty())
        return {};
    // The picker opens on the colour chosen last, or on a light one; never on black, which would hide the
    // notes' text.
    const std::optional<long> colour =
        m_questions.chooseColour(m_lastCategoryColour == 0 ? FirstNewCategoryColour : m_lastCategoryColour);
    if (!colour)
        return {};
    m_lastCategoryColour = *colour;
    return changeCategories(AddCategoryChange(categoryLines(), CategoryChoice{*name, *colour}), EditKind::CategoryAdd);
}

Changes Session::deleteLastCategory() {
    const LineChange change = DeleteLastCategoryChange(categoryLines());
    if (change.empty())
        return {};
    return changeCategories(change, EditKind::CategoryDelete);
}

Changes Session::renameCategory(int row) {
    if (row < 0 || row >= static_cast<int>(m_panel.rows.size()) || !m_panel.rows[static_cast<std::size_t>(row)].visible)
        return {};
    const std::string name = m_panel.rows[static_cast<std::size_t>(row)].caption;
    // The name box opens on the current name and the picker on the category's colour; a cancelled picker
    // keeps the new name with the old colour.
    const auto ask = [&](std::string_view colourLine) -> std::optional<CategoryRename> {
        std::optional<std::string> newName = m_questions.askText(m_language.entry(Entry::AskCategoryName), {}, name);
        if (!newName || newName->empty())
            return std::nullopt;
        return CategoryRename{std::move(*newName), m_questions.chooseColour(CategoryColourValue(colourLine))};
    };
    const std::optional<LineChange> change = RenameCategoryChange(categoryLines(), name, ask);
    if (!change)
        return {};
    return changeCategories(*change, EditKind::CategoryRename);
}

} // namespace plandeck

#include "session/Session.h"

#include "editing/CategoryFile.h"
#include "settings/LanguageEntries.h"

namespace plandeck {

namespace {

// A name and a colour for a category, asked one after the other; nothing when either is cancelled or the
// name is left empty.
std::optional<CategoryChoice> AskCategory(UserQuestions& questions, const LanguageTable& language, long& lastColour) {
    const std::optional<std::string> name = questions.askText(language.entry(Entry::AskCategoryName), {});
    if (!name || name->empty())
        return std::nullopt;
    const std::optional<long> colour = questions.chooseColour(lastColour);
    if (!colour)
        return std::nullopt;
    // The colour picker opens on the colour chosen last.
    lastColour = *colour;
    return CategoryChoice{*name, *colour};
}

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
    const std::optional<CategoryChoice> choice = AskCategory(m_questions, m_language, m_lastCategoryColour);
    if (!choice)
        return {};
    return changeCategories(AddCategoryChange(categoryLines(), *choice), EditKind::CategoryAdd);
}

Changes Session::deleteLastCategory() {
    const LineChange change = DeleteLastCategoryChange(categoryLines());
    if (change.empty())
        return {};
    return changeCategories(change, EditKind::CategoryDelete);
}

Changes Session::renameCategory(int row) {
    if (row < 0 || row >= CategoryPanel::RowCount || !m_panel.rows[static_cast<std::size_t>(row)].visible)
        return {};
    const std::string name = m_panel.rows[static_cast<std::size_t>(row)].caption;
    const std::optional<LineChange> change = RenameCategoryChange(
        categoryLines(), name, [this] { return AskCategory(m_questions, m_language, m_lastCategoryColour); });
    if (!change)
        return {};
    return changeCategories(*change, EditKind::CategoryRename);
}

} // namespace plandeck

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

Changes Session::categoryFileChanged(const CategoryFileChange& change) {
    Changes changes;
    if (!change.write.ok)
        changes.failures.push_back({m_dataDir.categoryFile(), change.write.error});
    if (!change.written)
        return changes;
    changes |= scrollCategories(0);
    // The day view gives every shown category a sub-column, so the grid itself changes there.
    changes |= m_nav.days() == 1 ? layOutGrid() : refreshNotes();
    return changes;
}

Changes Session::addCategory() {
    const std::optional<CategoryChoice> choice = AskCategory(m_questions, m_language, m_lastCategoryColour);
    if (!choice)
        return {};
    return categoryFileChanged(AddCategory(m_dataDir.categoryFile(), *choice));
}

Changes Session::deleteLastCategory() {
    return categoryFileChanged(DeleteLastCategory(m_dataDir.categoryFile()));
}

Changes Session::renameCategory(int row) {
    if (row < 0 || row >= CategoryPanel::RowCount || !m_panel.rows[static_cast<std::size_t>(row)].visible)
        return {};
    const std::string name = m_panel.rows[static_cast<std::size_t>(row)].caption;
    return categoryFileChanged(RenameCategory(
        m_dataDir.categoryFile(), name, [this] { return AskCategory(m_questions, m_language, m_lastCategoryColour); }));
}

} // namespace plandeck

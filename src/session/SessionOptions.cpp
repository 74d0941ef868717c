#include "session/Session.h"

#include "calendar/WeekView.h"

namespace plandeck {

OptionsModuleState Session::optionsState(const WindowState& window) const {
    OptionsModuleState state;
    state.categoryShown = m_categories.shownFlags();
    // The user's skin stays chosen even while its folder is missing and another one is shown.
    state.skinName = m_options.skinName;
    state.maximised = window.maximised;
    state.windowHeight = window.height * WeekView::TwipsPerPixel;
    state.windowWidth = window.width * WeekView::TwipsPerPixel;
    state.languageFile = m_languageFile;
    // While the default notes file is in use the line keeps what it had, so the folder stays portable.
    state.notesPath = m_notesPath == m_dataDir.defaultNotesFile() ? m_options.notesFilePath : m_notesPath;
    return state;
}

Changes Session::applySavedOptions(const OptionsSavePlan& saved, const TodayStamp& now) {
    if (saved.changes.rebuild()) {
        // The window is built again from the files just written, as when the program starts.
        loadSettings();
        Changes changes = openWeek(now);
        changes.look = changes.words = changes.categories = true;
        return changes;
    }
    m_options = saved.main;
    m_system = saved.system;
    m_configuredHours = HourRange{m_options.firstHour, m_options.lastHour};
    if (m_nav.days() != m_options.configuredDays || m_hours != m_configuredHours) {
        // Only the N-day view takes the new count: a week shown as three columns stepping by weeks, or a
        // day view grown to three columns, would no longer be the view its button shows.
        m_nav.setConfiguredDays(m_options.configuredDays);
        m_hours = m_configuredHours;
        return datesChanged(now);
    }
    m_nav.setConfiguredDays(m_options.configuredDays);
    // The working spans, the tiles' font and the categories' colours may have changed all the same.
    return layOutGrid();
}

Changes Session::optionsClosed(int snapMinutes, const TodayStamp& now) {
    m_snapMinutes = snapMinutes;
    m_clock = now;
    m_captions = ShowDateCaptions(m_nav.columns(), m_language, now.date);
    Changes changes;
    changes.dates = changes.words = true;
    return changes;
}

} // namespace plandeck

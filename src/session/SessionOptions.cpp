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

OptionsSaveResult Session::saveOptions(const OptionsChoice& choice, const WindowState& window, const TodayStamp& now) {
    const bool notesFilePicked = !choice.notesPath.empty();
    OptionsSaveInput input;
    input.fields = choice.fields;
    input.state = optionsState(window);
    if (notesFilePicked) {
        input.state.notesPath = choice.notesPath;
    } else {
        input.pendingSkin = choice.pendingSkin;
        input.pendingLanguage = choice.pendingLanguage;
    }
    input.before = m_options;
    input.beforeSystem = m_system;
    const std::string mainPath = m_dataDir.mainOptionsFile();
    const std::string systemPath = m_dataDir.systemOptionsFile();
    const OptionsSaveOutcome done = SaveOptionsFiles(input, mainPath, systemPath, !notesFilePicked);

    OptionsSaveResult result;
    if (!done.saved()) {
        // Nothing was written, so nothing else changes: not the system file, not the log-on entry.
        result.changes.failures.push_back({mainPath, done.mainWrite.error});
        return result;
    }
    result.saved = true;
    result.fields = done.plan.fields;
    result.options = done.plan.changes;
    // The file could be read and was written: the exit save may write it again.
    m_optionsUnreadable.clear();
    if (!notesFilePicked) {
        if (!done.systemWrite.ok) {
            // The system options stay as they were (the plan has them back), and so does the log-on entry,
            // which must agree with what the system file says.
            result.changes.failures.push_back({systemPath, done.systemWrite.error});
        } else if (m_startAtLogon) {
            if (const WriteResult registered = m_startAtLogon(done.plan.system.startAtLogon); !registered.ok)
                result.changes.failures.push_back({std::string(), registered.error});
        }
    }
    if (!notesFilePicked)
        result.changes |= saveFeatures(choice.features);
    result.changes |= applySavedOptions(done.plan, now);
    return result;
}

Changes Session::saveFeatures(const FeatureSettings& chosen) {
    Changes changes;
    if (chosen == m_features)
        return changes;
    FeatureSettings next = chosen;
    next.lines = m_features.lines; // the lines of the file as read, so unknown keys are kept
    const std::string path = m_dataDir.featureSettingsFile();
    if (const WriteResult written = WriteFeatureSettings(path, next); !written.ok) {
        changes.failures.push_back({path, written.error});
        return changes;
    }
    const bool weekNumbers = next.weekNumbers != m_features.weekNumbers;
    m_features = ReadFeatureSettings(path);
    changes.dates = weekNumbers; // the month calendar and the range caption show them or not
    return changes;
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

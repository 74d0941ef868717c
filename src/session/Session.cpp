#include "session/Session.h"

#include "notes/NotesStore.h"
#include "notes/StartupPurge.h"
#include "notes/WeekRefresh.h"
#include "settings/LanguageEntries.h"
#include "settings/StartupFallbacks.h"

#include <utility>

namespace plandeck {

Session::Session(DataDirectory dataDir, UserQuestions& questions, std::string builtInLanguage)
    : m_dataDir(std::move(dataDir)), m_questions(questions), m_builtInLanguage(std::move(builtInLanguage)),
      m_nav(m_language, m_options.configuredDays) {}

void Session::loadSettings() {
    // A missing or short option file leaves the defaults in place.
    const MainOptionsRead read = ReadMainOptions(m_dataDir.mainOptionsFile());
    m_options = read.options;
    // A file that is there but cannot be read is never written over by the exit save.
    m_optionsUnreadable = read.status == ReadStatus::Failed ? read.error : std::string();
    m_system = LoadSystemOptions(m_dataDir.systemOptionsFile());
    m_categories.setShownFlags(StartupCategoryFlags(m_options));
    m_shownSkin = ChooseSkinName(m_dataDir, m_options.skinName);
    m_ready = false;
    m_languageFile = m_options.languageFile;
    m_nav.setConfiguredDays(m_options.configuredDays);
    m_configuredHours = m_hours = HourRange{m_options.firstHour, m_options.lastHour};
    m_notesPath = m_dataDir.resolveNotesFile(m_options.notesFilePath);
    scrollCategories(0);
    loadLanguage();
}

void Session::loadLanguage() {
    // A language file that went missing must not leave the window without a word.
    const std::string file = ChooseLanguageFile(m_dataDir, m_languageFile);
    m_language = file.empty() ? LanguageTable::FromBytes(m_builtInLanguage)
                              : LanguageTable::Load(LanguageTable::FilePath(m_dataDir, file));
    m_nav.setLanguage(m_language);
}

Changes Session::openWeek(const TodayStamp& now) {
    Changes changes;
    if (!m_optionsUnreadable.empty())
        changes.failures.push_back({m_dataDir.mainOptionsFile(), m_optionsUnreadable});
    if (const auto purge = PurgeAtStartup(m_options, NotesStore(m_notesPath), now.date); purge && !purge->write.ok)
        changes.failures.push_back({m_notesPath, purge->write.error});
    m_ready = true;
    m_nav.ShowDays(now);
    changes |= datesChanged(now);
    changes.look = changes.words = changes.categories = true;
    return changes;
}

void Session::removeLeftoverTemporaryFiles() {
    RemoveLeftoverTemporaryFiles(m_dataDir.path("/pdfiles"), {"pdopt.ini", "sys.ini", "category.txt", "frmtoday.ini"});
    const std::size_t slash = m_notesPath.rfind('/');
    if (slash != std::string::npos)
        RemoveLeftoverTemporaryFiles(m_notesPath.substr(0, slash), {m_notesPath.substr(slash + 1)});
}

WriteResult Session::saveOptionsOnExit(const WindowState& window) {
    if (!m_optionsUnreadable.empty())
        return WriteResult::Failure(
            m_dataDir.mainOptionsFile() +
            " could not be read at start-up, so the settings were not saved over it: " + m_optionsUnreadable);
    // What the options window would hold, as the files were last read or saved, with the state this run
    // leaves behind.
    OptionsWindowFields fields = FieldsFromOptions(m_options, m_system);
    const OptionsModuleState state = optionsState(window);
    return SaveOptions(m_dataDir.mainOptionsFile(), fields, state);
}

Changes Session::back(const TodayStamp& now) {
    m_nav.Back();
    return datesChanged(now);
}

Changes Session::forward(const TodayStamp& now) {
    m_nav.Forward();
    return datesChanged(now);
}

Changes Session::goToToday(const TodayStamp& now) {
    m_nav.GoToToday(now);
    return datesChanged(now);
}

Changes Session::showDay(const TodayStamp& now) {
    m_nav.ShowDay(now);
    return datesChanged(now);
}

Changes Session::showDays(const TodayStamp& now) {
    m_nav.ShowDays(now);
    return datesChanged(now);
}

Changes Session::showWeek(const TodayStamp& now) {
    m_nav.ShowWeek(now);
    return datesChanged(now);
}

Changes Session::pickCalendarDay(int cell, const TodayStamp& now) {
    m_nav.ClickCell(cell);
    return datesChanged(now);
}

Changes Session::nextMonth() {
    m_nav.NextMonthArrow();
    Changes c;
    c.calendar = true;
    return c;
}

Changes Session::previousMonth() {
    m_nav.PrevMonthArrow();
    Changes c;
    c.calendar = true;
    return c;
}

Changes Session::hourLater() {
    m_hours = m_hours.later();
    return layOutGrid();
}

Changes Session::hourEarlier() {
    m_hours = m_hours.earlier();
    return layOutGrid();
}

Changes Session::resetHours() {
    m_hours = m_configuredHours;
    return layOutGrid();
}

Changes Session::setCategoryShown(int row, bool shown) {
    if (row < 0 || row >= CategoryPanel::RowCount)
        return {};
    m_categories.setShown(m_panel.first + row, shown);
    m_panel.rows[static_cast<std::size_t>(row)].ticked = shown;
    // The day view gives every shown category a sub-column, so the grid itself changes there.
    Changes changes = m_nav.days() == 1 ? layOutGrid() : refreshNotes();
    changes.categories = true;
    return changes;
}

Changes Session::scrollCategories(int first) {
    m_panel = m_categories.LoadCategories(m_dataDir.categoryFile(), first);
    Changes changes;
    changes.categories = true;
    if (m_panel.fileCreated && !m_panel.creation.ok)
        changes.failures.push_back({m_dataDir.categoryFile(), m_panel.creation.error});
    return changes;
}

Changes Session::setGridSize(int width, int height) {
    if (width == m_gridWidth && height == m_gridHeight)
        return {};
    m_gridWidth = width;
    m_gridHeight = height;
    return layOutGrid();
}

Changes Session::updateTime(const TodayStamp& now) {
    m_clock = now;
    m_grid.timeLineY = TimeLineY(m_grid.view, now.hour, now.minute);
    Changes c;
    c.clock = true;
    return c;
}

std::string Session::shownRangeCaption() const {
    return ShownRangeCaption(m_nav.columns(), m_nav.days(), m_language);
}

Changes Session::datesChanged(const TodayStamp& now) {
    m_clock = now;
    m_captions = ShowDateCaptions(m_nav.columns(), m_language, now.date);
    Changes changes = layOutGrid();
    changes.dates = true;
    return changes;
}

Changes Session::layOutGrid() {
    Changes changes;
    changes.hours = true;
    if (m_gridWidth <= 0 || m_gridHeight <= 0)
        return changes;
    const DayColumns& cols = m_nav.columns();
    m_grid.view = WeekView::Compute(m_gridWidth, m_gridHeight, m_nav.days(), m_hours.first, m_hours.last);
    m_grid.layout = LayOutHourGrid(m_grid.view, cols, m_nav.today().date);
    m_grid.dayHeaders.clear();
    for (int j = 0; j < m_grid.view.days; ++j)
        m_grid.dayHeaders.push_back(
            DayHeader(cols[static_cast<std::size_t>(j)], m_captions.columnMonths[static_cast<std::size_t>(j)]));
    // The working spans as last saved.
    m_grid.spans =
        m_options.shadeWorkSpans
            ? PaintWorkSpans(m_grid.view, WorkSpansFromOptions(m_options.workSpans, m_options.workSpanEnabled))
            : std::vector<SpanBand>{};
    m_grid.captions.clear();
    m_grid.timeLineY = TimeLineY(m_grid.view, m_clock.hour, m_clock.minute);
    changes.clock = true;
    if (m_ready)
        changes |= refreshNotes();
    return changes;
}

Changes Session::refreshNotes() {
    if (m_refreshing) {
        m_refreshAgain = true;
        return {};
    }
    m_refreshing = true;
    Changes changes;
    do {
        m_refreshAgain = false;
        changes |= refreshOnce();
    } while (m_refreshAgain && !changes.quit);
    m_refreshing = false;
    return changes;
}

Changes Session::refreshOnce() {
    Changes changes;
    changes.notes = true;
    if (m_gridWidth <= 0 || m_gridHeight <= 0)
        return changes;
    const DayColumns& cols = m_nav.columns();
    const std::string& title = entry(Entry::DamagedLineTitle);
    WeekRefreshInput input{m_grid.view,
                           std::span<const DayColumn>(cols.data(), cols.size()),
                           m_categories.names(),
                           m_categories.colours(),
                           m_categories.shownColumn(),
                           [&](const DamagedLinesQuestion& question) {
                               // One question for all damaged lines: the first few by number, then how many more.
                               std::string detail;
                               for (const DamagedLine& d : question.listed)
                                   detail +=
                                       (detail.empty() ? "" : "\n") + std::to_string(d.lineNumber) + ": " + d.text;
                               if (question.moreCount > 0)
                                   detail += "\n… +" + std::to_string(question.moreCount);
                               using A = UserQuestions::Answer;
                               const A answer = m_questions.ask(entry(Entry::DamagedLine), title,
                                                                UserQuestions::Buttons::YesNoCancel, A::No, detail);
                               if (answer == A::Yes)
                                   return MalformedAnswer::Remove;
                               if (answer == A::No) {
                                   m_questions.tell(entry(Entry::DamagedLineKept), title);
                                   return MalformedAnswer::Keep;
                               }
                               m_questions.tell(entry(Entry::DamagedLineQuit), title);
                               return MalformedAnswer::Quit;
                           }};
    input.notesBytes = std::exchange(m_freshBytes, nullptr);
    WeekRefreshResult result = WeekRefresh(NotesStore(m_notesPath), input);
    for (const std::string& error : result.saveErrors)
        changes.failures.push_back({m_notesPath, error});
    // A notes file that cannot be read is reported once, not at every refresh, until it reads again.
    if (result.readFailure != m_notesReadFailure && !result.readFailure.empty())
        changes.failures.push_back({m_notesPath, result.readFailure});
    m_notesReadFailure = result.readFailure;
    if (result.quit) {
        m_quitRequested = true;
        changes.quit = true;
        return changes;
    }
    // A slot that now shows another note is no longer selected: a key must not act on a note the user did
    // not point at.
    m_selected = SelectionAfterRefresh(m_selected, m_grid.tiles, result.tiles);
    m_grid.tiles = std::move(result.tiles);
    m_grid.captions = std::move(result.captions);
    m_editedLine = result.editedLine;
    m_editorRect = result.editorRect;
    return changes;
}

} // namespace plandeck

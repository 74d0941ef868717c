#include "session/Session.h"

#include "base/NumberForm.h"
#include "editing/TileName.h"
#include "notes/NotesStore.h"
#include "notes/StartupPurge.h"
#include "notes/WeekRefresh.h"
#include "settings/LanguageEntries.h"
#include "settings/StartupFallbacks.h"

#include <algorithm>
#include <utility>

namespace plandeck {

Session::Session(DataDirectory dataDir, UserQuestions& questions, std::string builtInLanguage)
    : m_dataDir(std::move(dataDir)), m_questions(questions), m_builtInLanguage(std::move(builtInLanguage)),
      m_nav(m_language, m_options.configuredDays), m_categoryFile(m_dataDir.categoryFile(), JoinRule::CrLfAfterEach),
      m_backups({}, m_dataDir.categoryFile()) {
    m_notes.setBeforeReplace([this](const std::string& replacedFile) { backUpNotes(replacedFile); });
}

void Session::loadSettings() {
    // A missing or short option file leaves the defaults in place.
    const MainOptionsRead read = ReadMainOptions(m_dataDir.mainOptionsFile());
    m_options = read.options;
    // A file that is there but cannot be read is never written over by the exit save.
    m_optionsUnreadable = read.status == ReadStatus::Failed ? read.error : std::string();
    m_system = LoadSystemOptions(m_dataDir.systemOptionsFile());
    m_features = ReadFeatureSettings(m_dataDir.featureSettingsFile());
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
    if (m_options.purgePastNotes) {
        m_notes.setPath(m_notesPath);
        m_notes.refresh();
        const LineChange past = PastNotes(m_notes.lines(), now.date);
        if (!past.empty()) {
            const ChangeOutcome outcome = m_notes.apply(past);
            if (outcome.done())
                m_history.record({EditedFile::Notes, EditKind::RemovePast, outcome.applied});
            else if (!outcome.error.empty())
                changes.failures.push_back({m_notesPath, outcome.error});
            changes |= takeBackupNotice();
        }
    }
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

Changes Session::pageBack(const TodayStamp& now) {
    m_nav.PageBack();
    return datesChanged(now);
}

Changes Session::pageForward(const TodayStamp& now) {
    m_nav.PageForward();
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
    if (row < 0 || row >= static_cast<int>(m_panel.rows.size()))
        return {};
    m_categories.setShown(m_panel.first + row, shown);
    m_panel.rows[static_cast<std::size_t>(row)].ticked = shown;
    // The day view gives every shown category a sub-column, so the grid itself changes there.
    Changes changes = m_nav.days() == 1 ? layOutGrid() : refreshNotes();
    changes.categories = true;
    return changes;
}

const TextLines& Session::categoryLines() {
    if (m_categoryFile.path() != m_dataDir.categoryFile())
        m_categoryFile.setPath(m_dataDir.categoryFile());
    if (m_categoryFile.changedOnDisk() && m_categoryFile.reload())
        m_history.shift(EditedFile::Categories, m_categoryFile.lastShift());
    return m_categoryFile.lines();
}

Changes Session::scrollCategories(int first) {
    Changes changes;
    changes.categories = true;
    const TextLines& lines = categoryLines();
    // A missing category file is created empty; one that cannot be read is never replaced.
    if (m_categoryFile.status() == ReadStatus::Missing) {
        const ChangeOutcome created = m_categoryFile.apply({});
        if (!created.done())
            changes.failures.push_back({m_dataDir.categoryFile(), created.error});
    }
    m_panel = m_categories.LoadCategoriesFrom(lines, first, m_categoryRoom);
    return changes;
}

Changes Session::setCategoryRoom(int rows) {
    if (rows == m_categoryRoom)
        return {};
    m_categoryRoom = rows;
    // The rows are filled again only when their number changes (never before the first load).
    if (CategoryRowCount(m_categories.recordCount(), rows) == static_cast<int>(m_panel.rows.size()))
        return {};
    return scrollCategories(m_panel.first);
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
    std::string caption = ShownRangeCaption(m_nav.columns(), m_nav.days(), m_language);
    if (m_features.weekNumbers)
        caption += " \u00B7 " + ShownWeeksCaption(m_nav.columns(), m_nav.days(), m_language);
    return caption;
}

Changes Session::datesChanged(const TodayStamp& now) {
    m_clock = now;
    m_captions = ShowDateCaptions(m_nav.columns(), m_language, now.date);
    Changes changes = layOutGrid();
    changes.dates = true;
    return changes;
}

HourGridModel Session::gridBackground(int width, int height) const {
    HourGridModel grid;
    const DayColumns& cols = m_nav.columns();
    grid.view = WeekView::Compute(width, height, m_nav.days(), m_hours.first, m_hours.last);
    grid.layout = LayOutHourGrid(grid.view, cols, m_nav.today().date);
    for (int j = 0; j < grid.view.days; ++j)
        grid.dayHeaders.push_back(
            DayHeader(cols[static_cast<std::size_t>(j)], m_captions.columnMonths[static_cast<std::size_t>(j)]));
    // The working spans as last saved.
    if (m_options.shadeWorkSpans)
        grid.spans = PaintWorkSpans(grid.view, WorkSpansFromOptions(m_options.workSpans, m_options.workSpanEnabled));
    return grid;
}

Changes Session::layOutGrid() {
    Changes changes;
    changes.hours = true;
    if (m_gridWidth <= 0 || m_gridHeight <= 0)
        return changes;
    HourGridModel grid = gridBackground(m_gridWidth, m_gridHeight);
    // The tiles stay until the refresh below replaces them.
    grid.tiles = std::move(m_grid.tiles);
    m_grid = std::move(grid);
    m_grid.timeLineY = TimeLineY(m_grid.view, m_clock.hour, m_clock.minute);
    changes.clock = true;
    if (m_ready)
        changes |= refreshNotes();
    return changes;
}

HourGridModel Session::pageGrid(int width, int height) const {
    HourGridModel page = gridBackground(std::max(width, 1), std::max(height, 1));
    WeekRefreshResult result = tilesFor(page.view);
    page.tiles = std::move(result.tiles);
    page.captions = std::move(result.captions);
    return page;
}

WeekRefreshResult Session::tilesFor(const WeekView& view) const {
    const DayColumns& cols = m_nav.columns();
    const WeekRefreshInput input{view,
                                 std::span<const DayColumn>(cols.data(), cols.size()),
                                 m_categories.names(),
                                 m_categories.colours(),
                                 m_categories.shownColumn(),
                                 {}};
    const auto shownColumns = static_cast<std::size_t>(std::min<int>(view.days, static_cast<int>(cols.size())));
    const std::vector<ShownMonth> months = ShownMonthsOf(std::span<const DayColumn>(cols.data(), shownColumns));
    return WeekRefreshFromLines(m_notes.lines(), m_notes.candidates(months), input);
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

Changes Session::handleDamagedLines() {
    Changes changes;
    const LineChange damaged = m_notes.damagedLines();
    if (damaged.empty() || !m_notes.readable())
        return changes;
    if (m_quietRefresh) {
        // Nobody asked for this refresh: the question (whose Cancel ends the program) waits for the user's.
        changes.hint =
            ReplacePlaceholder(entry(Entry::History::DamagedLinesSkipped), std::to_string(damaged.removed.size()));
        return changes;
    }
    // One question for all damaged lines: the first few by number, then how many more.
    std::string detail;
    const std::size_t listed = std::min(damaged.removed.size(), DamagedLinesQuestion::ListedAtMost);
    for (std::size_t k = 0; k < listed; ++k)
        detail += (detail.empty() ? "" : "\n") + std::to_string(damaged.removed[k].index + 1) + ": " +
                  damaged.removed[k].text;
    if (damaged.removed.size() > listed)
        detail += "\n… +" + std::to_string(damaged.removed.size() - listed);
    using A = UserQuestions::Answer;
    const std::string& title = entry(Entry::DamagedLineTitle);
    const A answer =
        m_questions.ask(entry(Entry::DamagedLine), title, UserQuestions::Buttons::YesNoCancel, A::No, detail);
    if (answer == A::Yes) {
        // The question may have let another program change the file: the lines are found again by their text.
        const ChangeOutcome outcome = m_notes.apply(damaged);
        if (outcome.done())
            m_history.record({EditedFile::Notes, EditKind::RemoveDamaged, outcome.applied});
        else if (!outcome.error.empty())
            changes.failures.push_back({m_notesPath, outcome.error});
    } else if (answer == A::No) {
        m_questions.tell(entry(Entry::DamagedLineKept), title);
    } else {
        m_questions.tell(entry(Entry::DamagedLineQuit), title);
        m_quitRequested = true;
        changes.quit = true;
    }
    return changes;
}

Changes Session::refreshOnce() {
    Changes changes;
    changes.notes = true;
    if (m_gridWidth <= 0 || m_gridHeight <= 0)
        return changes;
    if (m_notes.path() != m_notesPath) {
        m_notes.setPath(m_notesPath);
        m_history.clear();
    }
    // A change shown before it is written is the notes as they will be; otherwise one stat tells whether
    // another program changed the file.
    if (!m_notes.hasPending() && m_notes.refresh())
        m_history.shift(EditedFile::Notes, m_notes.lastShift());
    // A notes file that cannot be read is reported once, not at every refresh, until it reads again.
    const std::string readFailure = m_notes.readable() ? std::string() : m_notes.readError();
    if (readFailure != m_notesReadFailure && !readFailure.empty())
        changes.failures.push_back({m_notesPath, readFailure});
    m_notesReadFailure = readFailure;

    changes |= handleDamagedLines();
    if (changes.quit)
        return changes;

    WeekRefreshResult result = tilesFor(m_grid.view);
    // A slot that now shows another note is no longer selected: a key must not act on a note the user did
    // not point at.
    m_selected = SelectionAfterRefresh(m_selected, m_grid.tiles, result.tiles);
    m_grid.tiles = std::move(result.tiles);
    const DayColumns& cols = m_nav.columns();
    for (NoteTile& t : m_grid.tiles)
        if (t.column >= 0 && static_cast<std::size_t>(t.column) < cols.size())
            t.spokenName = TileSpokenName(t, cols[static_cast<std::size_t>(t.column)], m_language, m_categories);
    m_grid.captions = std::move(result.captions);
    m_editedLine = result.editedLine;
    m_editorRect = result.editorRect;
    return changes;
}

Changes Session::outsideChanges() {
    Changes changes;
    if (m_notes.hasPending())
        return changes;
    if (m_categoryFile.changedOnDisk()) {
        changes |= scrollCategories(m_panel.first);
        changes |= m_nav.days() == 1 ? layOutGrid() : Changes{};
        changes.notes = true;
    }
    if (m_notes.changedOnDisk() || changes.notes) {
        const bool notesChanged = m_notes.changedOnDisk();
        m_quietRefresh = true;
        changes |= refreshNotes();
        m_quietRefresh = false;
        if (notesChanged && changes.hint.empty())
            changes.hint = entry(Entry::History::NotesChangedElsewhere);
    }
    return changes;
}

Changes Session::carryLateAppends() {
    m_notes.carryLateAppends(true);
    m_categoryFile.carryLateAppends(true);
    return outsideChanges();
}

} // namespace plandeck

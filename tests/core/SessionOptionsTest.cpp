#include "support/ReadOnlyFile.h"
#include "support/SessionFixture.h"

#include <memory>

using namespace plandeck;
using plandeck::test::SessionFixture;

namespace {

struct SavedOptions : SessionFixture {
    SavedOptions() {
        dir.write("pdfiles/pdopt.ini", ReadShipped("pdfiles/pdopt.ini"));
        dir.write("pdfiles/sys.ini", ReadShipped("pdfiles/sys.ini"));
        dir.write("pdlang/Russian.lng", ReadShipped("pdlang/Russian.lng"));
        dir.write("pdskins/Midnight.pds", "Dark\r\n");
        dir.write("pdskins/Midnight/colors.txt", "255\r\n");
        dir.write("pdskins/Default.pds", "Light\r\n");
        dir.write("pdskins/Default/colors.txt", "0\r\n");
    }

    // Saves the options window's fields, edited by `edit`, as its Save does: through the session.
    template <class Edit>
    Changes save(Edit edit) {
        OptionsChoice choice;
        choice.fields = FieldsForWindow(session->options(), session->systemOptions());
        edit(choice);
        const OptionsSaveResult done = session->saveOptions(choice, {false, 900, 600}, now);
        EXPECT_TRUE(done.saved);
        return done.changes;
    }
    int days() const { return session->navigation().days(); }
};

} // namespace

TEST_F(SavedOptions, NewDayCountAppliesToTheNDayViewOnly) {
    struct Case {
        const char* view;
        Changes (Session::*show)(const TodayStamp&);
        int daysAfterSave;
        bool weekMode;
    };
    for (const Case& c : {Case{"N-day", &Session::showDays, 5, false}, Case{"week", &Session::showWeek, 7, true},
                          Case{"day", &Session::showDay, 1, false}}) {
        start();
        (session.get()->*c.show)(now);
        const Changes changes = save([](OptionsChoice& in) { in.fields.daysText = "5"; });
        EXPECT_EQ(days(), c.daysAfterSave) << c.view;
        EXPECT_EQ(session->navigation().weekMode(), c.weekMode) << c.view;
        EXPECT_FALSE(changes.look) << c.view;
        // The N-day view shows the new count from now on, whichever view was on.
        session->showDays(now);
        EXPECT_EQ(days(), 5) << c.view;
    }
}

TEST_F(SavedOptions, AnNDayViewOfOneDayTakesTheNewCount) {
    start();
    save([](OptionsChoice& in) { in.fields.daysText = "1"; });
    ASSERT_EQ(days(), 1);
    save([](OptionsChoice& in) { in.fields.daysText = "4"; });
    EXPECT_EQ(days(), 4) << "one column in the N-day view is not the day view";
}

TEST_F(SavedOptions, SavingShowsTheConfiguredHoursAgain) {
    start();
    session->hourLater();
    session->hourLater();
    ASSERT_EQ(session->hours(), (HourRange{10, 22}));
    // Nothing changed in the window, but the hours had been moved by the buttons: they return.
    Changes c = save([](OptionsChoice&) {});
    EXPECT_EQ(session->hours(), (HourRange{8, 20}));
    EXPECT_TRUE(c.dates && c.notes);

    c = save([](OptionsChoice& in) {
        in.fields.firstHourText = "30";
        in.fields.lastHourText = "5";
    });
    EXPECT_EQ(session->hours(), (HourRange{23, 24}));
    session->resetHours();
    EXPECT_EQ(session->hours(), (HourRange{23, 24})) << "the hour reset button goes to the new hours";

    // Shading the spans repaints the grid even when the dates and hours stay.
    c = save([](OptionsChoice& in) { in.fields.shadeWorkSpans = true; });
    EXPECT_TRUE(c.hours);
    EXPECT_TRUE(session->options().shadeWorkSpans);
}

TEST_F(SavedOptions, SkinOrLanguageChangeStartsTheWindowAfresh) {
    start();
    session->showWeek(now);
    session->forward(now);
    Changes c = save([](OptionsChoice& in) {
        in.pendingSkin = "Midnight";
        in.pendingLanguage = "Russian.lng";
    });
    EXPECT_TRUE(c.look && c.words && c.dates && c.notes && c.categories);
    EXPECT_EQ(session->shownSkin(), "Midnight");
    EXPECT_EQ(session->options().languageFile, "Russian.lng");
    EXPECT_EQ(session->language().monthName(12), "Декабрь");
    // As at start-up: today, in the N-day view.
    EXPECT_FALSE(session->navigation().weekMode());
    EXPECT_EQ(days(), 3);
    EXPECT_EQ(session->navigation().columns()[0].day, "7");
    // The exit save keeps the new choices.
    ASSERT_TRUE(session->saveOptionsOnExit({false, 900, 600}).ok);
    EXPECT_EQ(LoadMainOptions(dir.file("pdfiles/pdopt.ini")).skinName, "Midnight");
    EXPECT_EQ(LoadMainOptions(dir.file("pdfiles/pdopt.ini")).languageFile, "Russian.lng");
}

TEST_F(SavedOptions, ANewNotesFileIsReadAtOnce) {
    start("2026120709001000dHere\r\n");
    const std::string other = dir.write("elsewhere/plans.txt", "2026120709001000dThere\r\n");
    save([&](OptionsChoice& in) { in.notesPath = other; });
    EXPECT_EQ(session->notesPath(), other);
    ASSERT_EQ(tiles().size(), 1u);
    EXPECT_EQ(tiles()[0].text, "There");
}

TEST_F(SavedOptions, ClosingTheWindowSetsTheSnapStepUntilTheProgramEnds) {
    start();
    EXPECT_EQ(session->snapMinutes(), 5);
    const Changes c = session->optionsClosed(15, now);
    EXPECT_TRUE(c.words && c.dates);
    EXPECT_EQ(session->snapMinutes(), 15);
    // Cancelled, so the file keeps its step, and the exit save writes that one.
    ASSERT_TRUE(session->saveOptionsOnExit({false, 900, 600}).ok);
    EXPECT_EQ(LoadMainOptions(dir.file("pdfiles/pdopt.ini")).snapMinutes, 5);
}

TEST_F(SavedOptions, StartAtLogonFollowsOnlyWhenBothFilesWereWritten) {
    struct Case {
        const char* readOnly; // the file that cannot be written, if any
        bool saved;
        bool logonApplied;
    };
    for (const Case& c : {Case{"", true, true}, Case{"pdopt.ini", false, false}, Case{"sys.ini", true, false}}) {
        SCOPED_TRACE(c.readOnly);
        dir.write("pdfiles/pdopt.ini", ReadShipped("pdfiles/pdopt.ini"));
        dir.write("pdfiles/sys.ini", ReadShipped("pdfiles/sys.ini"));
        start();
        const SystemOptions before = session->systemOptions();
        const std::string mainBefore = dir.read("pdfiles/pdopt.ini");
        const std::string systemBefore = dir.read("pdfiles/sys.ini");
        std::vector<std::string> systemFileAtLogon;
        session->setStartAtLogon([&](bool on) {
            EXPECT_TRUE(on);
            systemFileAtLogon.push_back(dir.read("pdfiles/sys.ini"));
            return WriteResult{};
        });
        OptionsChoice choice;
        choice.fields = FieldsForWindow(session->options(), before);
        choice.fields.startAtLogon = !before.startAtLogon;
        choice.fields.reminderSound = !before.reminderSound;
        choice.fields.daysText = "6";
        auto readOnly = *c.readOnly ? std::make_unique<test::ReadOnlyFile>(c.readOnly) : nullptr;
        const OptionsSaveResult done = session->saveOptions(choice, {false, 900, 600}, now);
        readOnly.reset();

        EXPECT_EQ(done.saved, c.saved);
        EXPECT_EQ(done.changes.failures.size(), *c.readOnly ? 1u : 0u);
        // The entry is written once the system file says so, never before and never after a failed save.
        EXPECT_EQ(systemFileAtLogon, c.logonApplied
                                         ? std::vector<std::string>{FormatSystemOptions(SystemOptions{
                                               true, before.useTrayIcon, before.todayOnHide, !before.reminderSound})}
                                         : std::vector<std::string>{});
        if (std::string(c.readOnly) == "pdopt.ini") {
            EXPECT_EQ(dir.read("pdfiles/pdopt.ini"), mainBefore);
            EXPECT_EQ(session->options().configuredDays, 3);
        } else {
            EXPECT_EQ(LoadMainOptions(dir.file("pdfiles/pdopt.ini")).configuredDays, 6);
        }
        if (*c.readOnly) {
            // The system options the program runs with are still those of the file.
            EXPECT_EQ(dir.read("pdfiles/sys.ini"), systemBefore);
            EXPECT_EQ(session->systemOptions(), before);
        } else {
            EXPECT_EQ(session->systemOptions().reminderSound, !before.reminderSound);
        }
    }
}

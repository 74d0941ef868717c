#include "settings/OptionsFieldRules.h"
#include "base/DataDirectory.h"
#include "notes/NotesFileCheck.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

using namespace plandeck;
using plandeck::test::TempDir;

namespace {

OptionsWindowFields ShippedFields() {
    return FieldsForWindow(MainOptions{}, SystemOptions{});
}

void SetSpan(OptionsWindowFields& f, int span, const char* h1, const char* m1, const char* h2, const char* m2) {
    const SpanFieldNumbers n = SpanFields(span);
    f.spanText[static_cast<std::size_t>(n.startHour)] = h1;
    f.spanText[static_cast<std::size_t>(n.startMinute)] = m1;
    f.spanText[static_cast<std::size_t>(n.endHour)] = h2;
    f.spanText[static_cast<std::size_t>(n.endMinute)] = m2;
}

OptionsSaveInput InputFrom(const MainOptions& before) {
    OptionsSaveInput in;
    in.before = before;
    in.fields = FieldsForWindow(before, in.beforeSystem);
    in.state = ModuleStateFromOptions(before);
    return in;
}

} // namespace

TEST(OptionsFieldRules, HourFieldsAreCorrectedAtSave) {
    struct Case {
        const char* first;
        const char* last;
        HourPair saved;
    };
    for (const Case& c : {Case{"30", "5", {23, 24}}, Case{"12", "12", {12, 13}}, Case{"8", "20", {8, 20}},
                          Case{"", "", {6, 7}}, Case{"5", "30", {6, 24}}, Case{"23", "24", {23, 24}},
                          Case{"20", "9", {20, 21}}, Case{"07", "08", {7, 8}}, Case{"x", "99", {6, 24}}})
        EXPECT_EQ(ClampHourFields(c.first, c.last), c.saved) << c.first << " / " << c.last;
}

TEST(OptionsFieldRules, FieldCorrectionsWhileTyping) {
    for (auto [typed, shown] : {std::pair{"0", "1"}, {"", "1"}, {"9", "8"}, {"12", "8"}, {"5", "5"}, {"8", "8"}})
        EXPECT_EQ(ClampDaysText(typed), shown) << typed;

    for (auto [text, valid] : {std::pair{"5", true},
                               {"1", true},
                               {"60", true},
                               {"0", false},
                               {"61", false},
                               {"", false},
                               {"abc", false},
                               {"30x", true}})
        EXPECT_EQ(SnapStepValid(text), valid) << text;
    // Closing the window keeps the step in use when the field holds none the drag code could use.
    EXPECT_EQ(SnapStepAfterClose("15", 5), 15);
    EXPECT_EQ(SnapStepAfterClose("0", 5), 5);
    EXPECT_EQ(SnapStepAfterClose("", 10), 10);

    EXPECT_EQ(SpinnerText(8, false), "8");
    EXPECT_EQ(SpinnerText(5, true), "05");
    EXPECT_EQ(SpinnerText(30, true), "30");
}

TEST(OptionsFieldRules, WorkSpanCheck) {
    struct Case {
        int h1, m1, h2, m2;
        bool valid;
    };
    for (const Case& c :
         {Case{6, 0, 6, 30, false}, Case{6, 0, 6, 1, true}, Case{6, 0, 7, 0, true}, Case{8, 0, 16, 0, true},
          Case{16, 0, 8, 0, false}, Case{10, 30, 10, 30, false}, Case{10, 30, 10, 31, true}, Case{5, 0, 8, 0, false},
          Case{8, 0, 24, 0, false}, Case{8, 60, 9, 0, false}, Case{8, 0, 9, 60, false}, Case{23, 0, 23, 59, true}})
        EXPECT_EQ(WorkSpanValid(c.h1, c.m1, c.h2, c.m2), c.valid) << c.h1 << ':' << c.m1 << '-' << c.h2 << ':' << c.m2;
}

TEST(OptionsFieldRules, SaveIsAllowedOnlyForUsableFields) {
    OptionsWindowFields f = ShippedFields();
    EXPECT_TRUE(SaveAllowed(f)) << "a freshly loaded window can be saved, e.g. after changing only system boxes";

    f.shadeWorkSpans = true;
    SetSpan(f, 2, "6", "00", "6", "30");
    EXPECT_FALSE(SaveAllowed(f)) << "06:00-06:30 with shading";
    SetSpan(f, 2, "6", "00", "6", "01");
    EXPECT_TRUE(SaveAllowed(f)) << "06:00-06:01 with shading";
    SetSpan(f, 1, "", "", "", "");
    EXPECT_FALSE(SaveAllowed(f)) << "an emptied span field";
    SetSpanBox(f, 1, false);
    EXPECT_TRUE(SaveAllowed(f)) << "a cleared span resets to 06:00-07:00";
    f.shadeWorkSpans = false;
    SetSpan(f, 1, "", "", "", "");
    EXPECT_FALSE(SaveAllowed(f)) << "an emptied field cannot be stored, shaded or not";
    SetSpan(f, 1, "8", "", "16", "00");
    EXPECT_FALSE(SaveAllowed(f)) << "one emptied minute";
    SetSpan(f, 1, "16", "00", "8", "00");
    EXPECT_TRUE(SaveAllowed(f)) << "times are not checked while the spans are not shaded";

    f.snapText = "0";
    EXPECT_FALSE(SaveAllowed(f)) << "a snap step outside 1..60 is never saved, shaded or not";
    f.shadeWorkSpans = true;
    EXPECT_FALSE(SaveAllowed(f));
}

TEST(OptionsFieldRules, SpanBoxesSetTheirTimes) {
    OptionsWindowFields f = ShippedFields();
    SetSpanBox(f, 3, false);
    EXPECT_EQ(f.spanText[14] + ":" + f.spanText[13] + "-" + f.spanText[16] + ":" + f.spanText[15], "6:00-7:00");
    EXPECT_FALSE(f.spanEnabled[3]);
    SetSpanBox(f, 3, true);
    EXPECT_EQ(f.spanText[14] + ":" + f.spanText[13] + "-" + f.spanText[16] + ":" + f.spanText[15], "8:00-16:00");

    // Loading: a span whose flag is 0 shows 06:00-07:00 whatever line 13 holds; an enabled one keeps its times.
    MainOptions main;
    main.workSpans = "09151000110012001730180019002000";
    main.workSpanEnabled = "1011";
    const OptionsWindowFields loaded = FieldsForWindow(main, SystemOptions{});
    EXPECT_EQ(loaded.spanText[3] + loaded.spanText[4] + loaded.spanText[5] + loaded.spanText[6], "09151730");
    EXPECT_EQ(loaded.spanText[2] + loaded.spanText[1] + loaded.spanText[8] + loaded.spanText[7], "600700");
    EXPECT_FALSE(loaded.spanEnabled[1]);
}

TEST(OptionsFieldRules, SavePlanWritesCorrectedFields) {
    OptionsSaveInput in = InputFrom(MainOptions{});
    in.fields.spanText[3] = "7"; // span 0 start hour typed as one digit
    in.fields.firstHourText = "30";
    in.fields.lastHourText = "5";
    in.fields.daysText = ""; // emptied by the focus, never typed into
    const OptionsSavePlan plan = PlanOptionsSave(in);

    EXPECT_EQ(plan.fields.spanText[3], "07") << "the window shows what was saved";
    EXPECT_EQ(plan.main.workSpans.substr(0, 4), "0700");
    EXPECT_EQ(plan.main.firstHour, 23);
    EXPECT_EQ(plan.main.lastHour, 24);
    EXPECT_EQ(plan.fields.firstHourText, "23");
    EXPECT_EQ(plan.fields.lastHourText, "24");
    EXPECT_EQ(plan.main.configuredDays, 1);
    EXPECT_NE(plan.mainText.find("\r\n 23 \r\n 24 \r\n"), std::string::npos);
}

TEST(OptionsFieldRules, SavePlanTellsWhatChanged) {
    const MainOptions before;
    struct Case {
        const char* what;
        std::function<void(OptionsSaveInput&)> edit;
        std::function<bool(const OptionsChanges&)> changed;
        bool rebuild;
    };
    const std::vector<Case> cases = {
        {"nothing", [](OptionsSaveInput&) {}, [](const OptionsChanges& c) { return !c.any(); }, false},
        {"system boxes only",
         [](OptionsSaveInput& in) {
             in.fields.useTrayIcon = false;
             in.fields.startAtLogon = true;
         },
         [](const OptionsChanges& c) {
             return c.system && c.trayIcon && c.startAtLogon && !c.days && !c.hours && !c.skin;
         },
         false},
        {"skin", [](OptionsSaveInput& in) { in.pendingSkin = "Midnight"; },
         [](const OptionsChanges& c) { return c.skin && !c.language; }, true},
        {"same skin picked again", [](OptionsSaveInput& in) { in.pendingSkin = "Default"; },
         [](const OptionsChanges& c) { return !c.any(); }, false},
        {"language", [](OptionsSaveInput& in) { in.pendingLanguage = "Russian.lng"; },
         [](const OptionsChanges& c) { return c.language && !c.skin; }, true},
        {"days", [](OptionsSaveInput& in) { in.fields.daysText = "5"; },
         [](const OptionsChanges& c) { return c.days && !c.hours; }, false},
        {"hours", [](OptionsSaveInput& in) { in.fields.lastHourText = "22"; },
         [](const OptionsChanges& c) { return c.hours && !c.days; }, false},
        {"font", [](OptionsSaveInput& in) { in.fields.fontSize = 12; }, [](const OptionsChanges& c) { return c.font; },
         false},
        {"shading", [](OptionsSaveInput& in) { in.fields.shadeWorkSpans = true; },
         [](const OptionsChanges& c) { return c.workSpans; }, false},
        {"snap step", [](OptionsSaveInput& in) { in.fields.snapText = "15"; },
         [](const OptionsChanges& c) { return c.snapStep; }, false},
    };
    for (const Case& c : cases) {
        OptionsSaveInput in = InputFrom(before);
        c.edit(in);
        const OptionsSavePlan plan = PlanOptionsSave(in);
        EXPECT_TRUE(c.changed(plan.changes)) << c.what;
        EXPECT_EQ(plan.changes.rebuild(), c.rebuild) << c.what;
    }
}

TEST(OptionsFieldRules, SaveWritesBothFilesOrReportsTheFailure) {
    TempDir dir;
    const std::string mainPath = dir.write("pdfiles/pdopt.ini", FormatMainOptions(MainOptions{}));
    const std::string sysPath = dir.write("pdfiles/sys.ini", FormatSystemOptions(SystemOptions{}));

    OptionsSaveInput in = InputFrom(MainOptions{});
    in.fields.daysText = "6";
    in.fields.reminderSound = false;
    OptionsSaveOutcome done = SaveOptionsFiles(in, mainPath, sysPath);
    ASSERT_TRUE(done.saved());
    EXPECT_EQ(LoadMainOptions(mainPath).configuredDays, 6);
    EXPECT_FALSE(LoadSystemOptions(sysPath).reminderSound);

    // The main file cannot be written: nothing else is touched, and the caller learns why.
    in.fields.reminderSound = true;
    done = SaveOptionsFiles(in, dir.file("missing/pdopt.ini"), sysPath);
    EXPECT_FALSE(done.saved());
    EXPECT_FALSE(done.mainWrite.error.empty());
    EXPECT_FALSE(LoadSystemOptions(sysPath).reminderSound);

    // The system file cannot be written: the main file is saved, the system flags stay as they were.
    in.fields.daysText = "4";
    done = SaveOptionsFiles(in, mainPath, dir.file("missing/sys.ini"));
    EXPECT_TRUE(done.saved());
    EXPECT_FALSE(done.systemWrite.ok);
    EXPECT_EQ(LoadMainOptions(mainPath).configuredDays, 4);
    EXPECT_EQ(done.plan.system, in.beforeSystem);
    EXPECT_FALSE(done.plan.changes.system);
}

TEST(NotesFileCheck, TellsNotesFilesFromOtherFiles) {
    struct Case {
        const char* what;
        std::string bytes;
        NotesFileVerdict verdict;
    };
    const std::vector<Case> cases = {
        {"empty file", "", NotesFileVerdict::Usable},
        {"notes", "yyyyyy3E09300945dTeam stand-up\r\n2006031508000900ehx\r\n\r\n", NotesFileVerdict::Usable},
        {"every-day note, no final line end", "yyyyyyyy08000830eMorning walk", NotesFileVerdict::Usable},
        {"lower-case day code", "2006030a08000900dx\r\n", NotesFileVerdict::Usable},
        {"a letter", "Dear Anna,\r\nthank you for the lovely evening.\r\n", NotesFileVerdict::NotNotes},
        {"short lines", "milk\r\neggs\r\n", NotesFileVerdict::NotNotes},
        {"a picture", std::string("GIF89a\0\0\x01", 9), NotesFileVerdict::NotNotes},
        {"notes then prose", "yyyyyyyy08000830eWalk\r\nremember to call the bank today\r\n",
         NotesFileVerdict::NotNotes},
    };
    TempDir dir;
    for (const Case& c : cases)
        EXPECT_EQ(CheckNotesFile(dir.write("n.txt", c.bytes)), c.verdict) << c.what;
    EXPECT_EQ(CheckNotesFile(dir.file("nothing.txt")), NotesFileVerdict::Unreadable);
    EXPECT_EQ(CheckNotesFile(dir.path()), NotesFileVerdict::Unreadable) << "a folder";
    EXPECT_EQ(CheckNotesFile(std::string(PLANDECK_DATA_DIR) + "/pdnotes/all.txt"), NotesFileVerdict::Usable);
}

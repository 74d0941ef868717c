// Calendar files: the notes written as iCalendar events and read back, byte for byte against files kept in
// tests/data/ics/; events written the way other programs write them, imported or listed with their reason;
// the import through the session as one step that undo takes back.
// PLANDECK_UPDATE_GOLDEN=1 writes the expected .ics anew (read it before committing).
#include "notes/CalendarFile.h"
#include "base/TextFile.h"
#include "settings/LanguageEntries.h"
#include "support/SessionFixture.h"
#include "support/TempDir.h"

#include <array>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

const std::string IcsData = std::string(PLANDECK_SOURCE_DIR) + "/tests/data/ics/";

// The local time zone of this process, for one test: times in a zone are converted to it.
class LocalZone {
public:
    explicit LocalZone(const char* tz) {
        if (const char* old = std::getenv("TZ"))
            m_old = old;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~LocalZone() {
        if (m_old)
            setenv("TZ", m_old->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> m_old;
};

std::array<std::string, 101> Categories() {
    std::array<std::string, 101> names;
    names[0] = "Work";
    names[1] = "Home";
    names[30] = "Sport"; // its character, 130, is no ASCII
    return names;        // category 5 exists without a name
}

// One note for each way the date fields combine, and the lines an export must keep whole.
const std::vector<std::string> RoundTripNotes = {
    "2026120809001000dTeam meeting",        // one date
    "yyyy021D18001900eLeap-day birthday",   // yearly on 29 February: leap years only
    "yyyyyy1F07000730dRent on the 31st",    // monthly; months without a 31st are skipped
    "yyyy12yy08000900dAdvent mornings",     // daily in one month, every year
    "yyyyyyyy06300700eStretch",             // daily
    "yyyyyy2412001300dMon and Wed",         // weekly
    "yyyy077F10001200eSummer weekends",     // weekly in one month
    "2026yy0F09000930dPay day 2026",        // monthly in one year
    "202612yy07000800eDecember 2026",       // daily in one month of one year
    "2027yyyy22002230dEvenings of 2027",    // daily in one year
    "2026yy2F14001500dFridays of 2026",     // weekly in one year
    "2026032911001130eMarch Tue and Thu",   // weekly in one month of one year
    "2026121009001000dTwice",               // two identical lines: two events, two UIDs
    "2026121009001000dTwice",               //
    "2026120a09001000eLower-case day code", // read as day 10; the header keeps its spelling
    "2026121115001600d\xd0\x9a\xd0\xbe\xd1\x84\xd0\xb5, tea; a back\\slash", // text to escape
    "2026121210001100\x82High category",                                     // category 30
    "2026121310001100iNo category name",                                     // category 5, which has no name
    "2026121400000000dZero length",                                          // starts and ends at midnight
};

struct LeftOutCase {
    std::string line;
    ExportProblem problem;
};
const std::vector<LeftOutCase> LeftOutNotes = {
    {"2026021E09001000dThirtieth of February", ExportProblem::ImpossibleDate},
    {"yyyy041F09001000d31 April", ExportProblem::ImpossibleDate},
    {"0999120109001000dYear 999", ExportProblem::ImpossibleDate},
    {"2026130109001000dMonth 13", ExportProblem::ImpossibleDate},
    {"2026120009001000dDay zero", ExportProblem::NoDay},
    {"2026129F09001000dAbove 158", ExportProblem::NoDay},
    {"2026120110000900dBackwards", ExportProblem::EndBeforeStart},
    {"2026120125002600dHour 25", ExportProblem::UnreadableHours},
    {"20261201x9001000dNo hour", ExportProblem::UnreadableHours},
    {"2026120109601000dMinute 60", ExportProblem::UnreadableHours},
    {"2026120109001000 Category below 100", ExportProblem::UnknownCategory},
    {"2026120109001000\xc9"
     "Category above 200",
     ExportProblem::UnknownCategory},
    {"short line", ExportProblem::DamagedLine},
};

std::string NotesBytes(const std::vector<std::string>& lines) {
    return JoinLinesCrLf(lines);
}

constexpr std::int64_t Stamp = 1796083200; // 1 December 2026, 00:00 UTC

} // namespace

// Every way a note repeats becomes one event and comes back as the very same line; the file is compared byte
// for byte, and what cannot be an event is listed with its reason.
TEST(CalendarFile, ExportIsGoldenAndImportGivesTheSameLines) {
    std::vector<std::string> all = RoundTripNotes;
    all.insert(all.begin() + 3, ""); // empty and one-character lines are no notes and no problem
    all.insert(all.begin() + 5, "x");
    for (const LeftOutCase& c : LeftOutNotes)
        all.push_back(c.line);
    const auto names = Categories();
    const CalendarExport exported = ExportCalendar(TextLines(NotesBytes(all)), names, Stamp);

    if (std::getenv("PLANDECK_UPDATE_GOLDEN")) {
        ASSERT_TRUE(RewriteFile(IcsData + "roundtrip.ics", exported.bytes).ok);
    } else {
        const ReadResult golden = ReadWholeFile(IcsData + "roundtrip.ics");
        ASSERT_TRUE(golden.exists);
        EXPECT_EQ(exported.bytes, golden.bytes);
    }
    EXPECT_EQ(exported.exported, RoundTripNotes.size());
    ASSERT_EQ(exported.leftOut.size(), LeftOutNotes.size());
    for (std::size_t i = 0; i < LeftOutNotes.size(); ++i) {
        SCOPED_TRACE(LeftOutNotes[i].line);
        EXPECT_EQ(exported.leftOut[i].text, LeftOutNotes[i].line);
        EXPECT_EQ(exported.leftOut[i].line, RoundTripNotes.size() + 2 + i + 1);
        EXPECT_EQ(exported.leftOut[i].problem, LeftOutNotes[i].problem);
    }

    // Into an empty notes file: the same lines, in the same order. Read in another time zone, too: the
    // times are floating, so nothing moves.
    for (const char* zone : {"UTC0", "EST5EDT,M3.2.0,M11.1.0"}) {
        SCOPED_TRACE(zone);
        const LocalZone local(zone);
        const CalendarImport first = ImportCalendar(exported.bytes, TextLines(), names);
        EXPECT_TRUE(first.error.empty()) << first.error;
        EXPECT_EQ(first.newLines(), RoundTripNotes);
        EXPECT_TRUE(first.refused.empty());
        // A second import of the same file adds nothing.
        const CalendarImport second = ImportCalendar(exported.bytes, TextLines(NotesBytes(first.newLines())), names);
        EXPECT_TRUE(second.imported.empty());
        EXPECT_EQ(second.duplicates.size(), RoundTripNotes.size());
    }

    // The shown days only: the notes that fall on 8 and 9 December 2026, whole.
    const CalendarExport days = ExportCalendar(TextLines(NotesBytes(all)), names, Stamp, ExportDays{{2026, 12, 8}, 2});
    const CalendarImport back = ImportCalendar(days.bytes, TextLines(), names);
    EXPECT_EQ(back.newLines(),
              (std::vector<std::string>{"2026120809001000dTeam meeting", "yyyy12yy08000900dAdvent mornings",
                                        "yyyyyyyy06300700eStretch", "yyyyyy2412001300dMon and Wed",
                                        "202612yy07000800eDecember 2026"}));
}

// A file written the way other programs write them: a time zone with its VTIMEZONE, UTC times, folded lines,
// several categories, an alarm inside an event, a duration instead of an end. What fits is imported at local
// time; everything else is listed with its reason, never bent into a note.
TEST(CalendarFile, ImportOfOtherProgramsFilesTakesWhatFitsExactly) {
    const ReadResult file = ReadWholeFile(IcsData + "foreign.ics");
    ASSERT_TRUE(file.exists);
    struct Expected {
        const char* summary;
        std::string line; // empty: not imported
        std::optional<ImportProblem> problem;
    };
    const std::vector<Expected> expected = {
        // 9:00 in New York on 10 March 2026 is daylight time there: 13:00 UTC.
        {"Call with the New York office", "2026030A13001400dCall with the New York office", {}},
        // The first category that names one of ours picks it.
        {"A rather long summary that another program folded over two lines of the file",
         "2026120808000930eA rather long summary that another program folded over two lines of the file",
         {}},
        {"Line one Line two", "2026120910001045dLine one Line two", {}},
        {"Run", "yyyyyy3407000730dRun", {}},
        {"Birthday", "yyyy040C18001900eBirthday", {}},
        {"Ten lessons", "", ImportProblem::Count},
        {"Every other Monday", "", ImportProblem::Interval},
        {"Daily but one", "", ImportProblem::ExceptionDates},
        {"Two dates", "", ImportProblem::ExtraDates},
        {"Last working day", "", ImportProblem::SetPosition},
        {"Mondays from June", "", ImportProblem::MidYearStart},
        {"New York stand-up", "", ImportProblem::ZoneMoves},
        {"Christmas", "", ImportProblem::AllDay},
        {"New Year party", "", ImportProblem::CrossesMidnight},
    };
    const LocalZone utc("UTC0");
    const auto names = Categories();
    const CalendarImport result = ImportCalendar(file.bytes, TextLines(), names);
    ASSERT_TRUE(result.error.empty()) << result.error;
    std::size_t imported = 0, refused = 0;
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.summary);
        if (!e.problem) {
            ASSERT_LT(imported, result.imported.size());
            EXPECT_EQ(result.imported[imported].summary, e.summary);
            EXPECT_EQ(result.imported[imported++].line, e.line);
        } else {
            ASSERT_LT(refused, result.refused.size());
            EXPECT_EQ(result.refused[refused].summary, e.summary);
            EXPECT_EQ(result.refused[refused++].problem, *e.problem);
        }
    }
    EXPECT_EQ(imported, result.imported.size());
    EXPECT_EQ(refused, result.refused.size());
    // A category no one has: category 0, and the report says which name was asked for.
    EXPECT_EQ(result.imported[2].categoryAsked, "Errands");
    EXPECT_EQ(result.imported[1].categoryAsked, "");

    // Where the local clock moves with daylight saving as the event's zone does, a weekly event keeps its
    // local time and fits.
    const LocalZone newYork("EST5EDT,M3.2.0,M11.1.0");
    const CalendarImport there = ImportCalendar(file.bytes, TextLines(), names);
    ASSERT_TRUE(there.error.empty());
    const auto standUp = std::find_if(there.imported.begin(), there.imported.end(),
                                      [](const ImportedEvent& e) { return e.summary == "New York stand-up"; });
    ASSERT_NE(standUp, there.imported.end());
    EXPECT_EQ(standUp->line, "yyyyyy2009001000dNew York stand-up");
}

// A file that is no calendar, or a damaged one, is refused as a whole with libical's reason.
TEST(CalendarFile, DamagedFilesAreRefusedWhole) {
    const std::string event = "BEGIN:VEVENT\r\nUID:a\r\nDTSTART:20261208T090000\r\nSUMMARY:A\r\nEND:VEVENT\r\n";
    const std::vector<std::string> files = {
        "",
        "Just some text\r\nnot a calendar\r\n",
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + event, // cut off before its end
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + event + "GARBAGE\r\nEND:VCALENDAR\r\n",
        "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:2026120\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
        "BEGIN:VCARD\r\nFN:Someone\r\nEND:VCARD\r\n",
    };
    for (const std::string& f : files) {
        SCOPED_TRACE(f);
        const CalendarImport result = ImportCalendar(f, TextLines(), Categories());
        EXPECT_TRUE(result.fileRefused());
        EXPECT_TRUE(result.imported.empty());
    }
}

namespace {

struct CalendarSession : test::SessionFixture {
    CalendarSession() { start("2026120709001000dMonday meeting\r\nyyyyyyyy06300700eStretch\r\n"); }
    std::string notes() const { return notesFile(); }
};

} // namespace

// Through the session: the new notes are appended, a second import adds nothing,
// an undo takes the import back byte for byte, and a damaged file writes nothing.
TEST_F(CalendarSession, ImportIsOneStepUndoTakesBackAndDamagedFilesWriteNothing) {
    const LocalZone utc("UTC0");
    const std::string before = notes();
    const std::string ics = dir.write("in.ics", ReadWholeFile(IcsData + "foreign.ics").bytes);

    const CalendarImportReport first = session->importCalendar(ics);
    EXPECT_TRUE(first.written);
    EXPECT_EQ(first.import.imported.size(), 5u);
    EXPECT_EQ(notes(), before + "2026030A13001400dCall with the New York office\r\n"
                                "2026120808000930eA rather long summary that another program folded over two "
                                "lines of the file\r\n"
                                "2026120910001045dLine one Line two\r\n"
                                "yyyyyy3407000730dRun\r\n"
                                "yyyy040C18001900eBirthday\r\n");
    // The report's headings say how many of each.
    ASSERT_FALSE(first.lines.empty());
    EXPECT_EQ(first.lines.front().text, ReplacePlaceholder(session->entry(Entry::Calendar::Imported), "5"));

    const std::string imported = notes();
    const CalendarImportReport second = session->importCalendar(ics);
    EXPECT_TRUE(second.import.imported.empty());
    EXPECT_EQ(second.import.duplicates.size(), 5u);
    EXPECT_EQ(notes(), imported);

    const Changes undone = session->undo();
    EXPECT_EQ(notes(), before);
    EXPECT_EQ(undone.hint,
              ReplacePlaceholder(session->entry(Entry::History::Undone), session->entry(Entry::Calendar::UndoName)));
    session->redo();
    EXPECT_EQ(notes(), imported);

    const std::string damaged = dir.write("damaged.ics", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\n"
                                                         "DTSTART:20261208T090000\r\nSUMMARY:Cut off\r\n");
    const CalendarImportReport refused = session->importCalendar(damaged);
    EXPECT_TRUE(refused.import.fileRefused());
    EXPECT_FALSE(refused.written);
    EXPECT_EQ(notes(), imported);
    EXPECT_EQ(refused.lines.size(), 1u);
}

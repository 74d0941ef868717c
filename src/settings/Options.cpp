#include "settings/Options.h"

#include "base/NumberForm.h"
#include "base/PlainName.h"

#include <algorithm>
#include <cctype>

namespace plandeck {

// Line 13 is sixteen two-character fields: span 0..3 start hour/minute, then span 0..3 end hour/minute.
// The options window edits them in fields Text1..Text16 in this order.
const std::array<int, 16> kSpanFieldOrder = {3, 4, 2, 1, 10, 9, 14, 13, 5, 6, 8, 7, 12, 11, 16, 15};

namespace {

constexpr std::size_t SpanFieldCount = 16;
constexpr std::size_t WorkSpansLength = 2 * SpanFieldCount;

bool TwoDigits(std::string_view text) {
    return text.size() == 2 && std::isdigit(static_cast<unsigned char>(text[0])) &&
           std::isdigit(static_cast<unsigned char>(text[1]));
}

std::string Flag(bool on) {
    return on ? " 1 " : " 0 ";
}

int InRangeOr(int value, int low, int high, int fallback) {
    return (value >= low && value <= high) ? value : fallback;
}

} // namespace

MainOptions ParseMainOptions(const TextLines& lines) {
    MainOptions o;
    const std::size_t n = lines.size();
    auto has = [&](int lineNo) { return static_cast<std::size_t>(lineNo) <= n; };
    auto text = [&](int lineNo) { return std::string(lines.line(static_cast<std::size_t>(lineNo - 1))); };

    if (has(1))
        o.keepCategoryFilter = FlagValue(text(1));
    if (has(9))
        o.categoryShownFlags = text(9).substr(0, MainOptions::CategoryFlagCount);
    // The skin and the language file are looked up by name inside their own folders; a name that could
    // point anywhere else is refused and the default is used.
    if (has(10))
        o.skinName = PlainNameOr(text(10), o.skinName);
    if (has(11))
        o.purgePastNotes = FlagValue(text(11));
    if (has(12))
        o.confirmDelete = FlagValue(text(12));
    if (has(13))
        o.workSpans = WorkSpansFromLine(text(13));
    if (has(14))
        o.shadeWorkSpans = FlagValue(text(14));
    if (has(15))
        o.workSpanEnabled = text(15);
    if (has(16))
        o.tileFontName = text(16);
    if (has(17)) {
        double size = NumericValue(text(17));
        o.tileFontSize = (size >= 1 && size <= 400) ? size : MainOptions{}.tileFontSize;
    }
    if (has(18)) // clamped while still a double: a line of twenty digits has no long value
        o.tileForeColor = static_cast<long>(std::clamp(NumericValue(text(18)), 0.0, static_cast<double>(0xFFFFFF)));
    if (has(19)) {
        if (text(19) == "max") {
            o.maximised = true;
        } else {
            o.windowHeight = std::clamp(IntegerValue(text(19)), 0, 1'000'000);
            if (has(20))
                o.windowWidth = std::clamp(IntegerValue(text(20)), 0, 1'000'000);
        }
    }
    const MainOptions d;
    if (has(21))
        o.snapMinutes = InRangeOr(IntegerValue(text(21)), 0, 60, d.snapMinutes);
    if (has(22))
        o.languageFile = PlainNameOr(text(22), d.languageFile);
    if (has(23))
        o.configuredDays = InRangeOr(IntegerValue(text(23)), 1, 8, d.configuredDays);
    if (has(24))
        o.firstHour = InRangeOr(IntegerValue(text(24)), 6, 23, d.firstHour);
    if (has(25))
        o.lastHour = InRangeOr(IntegerValue(text(25)), 7, 24, d.lastHour);
    if (o.lastHour <= o.firstHour) {
        o.firstHour = d.firstHour;
        o.lastHour = d.lastHour;
    }
    if (has(26))
        o.notesFilePath = text(26);
    return o;
}

SystemOptions ParseSystemOptions(const TextLines& lines) {
    SystemOptions o;
    auto flag = [&](std::size_t lineNo, bool& field) {
        if (lines.size() >= lineNo)
            field = FlagValue(lines.line(lineNo - 1));
    };
    flag(1, o.startAtLogon);
    flag(2, o.useTrayIcon);
    flag(3, o.todayOnHide);
    flag(4, o.reminderSound);
    return o;
}

MainOptions LoadMainOptions(const std::string& path) {
    return ReadMainOptions(path).options;
}

MainOptionsRead ReadMainOptions(const std::string& path) {
    ReadResult file = ReadWholeFile(path);
    MainOptionsRead result;
    result.status = file.status;
    result.error = std::move(file.error);
    // A file that was not read whole gives the defaults: half a file would put values in the wrong lines.
    if (!file.failed())
        result.options = ParseMainOptions(TextLines(std::move(file.bytes)));
    return result;
}

SystemOptions LoadSystemOptions(const std::string& path) {
    return ParseSystemOptions(TextLines(ReadWholeFile(path).bytes));
}

std::string FormatSystemOptions(const SystemOptions& o) {
    return JoinLinesCrLf({Flag(o.startAtLogon), Flag(o.useTrayIcon), Flag(o.todayOnHide), Flag(o.reminderSound)});
}

WriteResult WriteSystemOptions(const std::string& path, const SystemOptions& options) {
    ReadResult current = ReadWholeFile(path);
    if (current.failed())
        return WriteResult::Failure(current.error + ". The settings were not saved, so that file is kept as it is.");
    return RewriteFile(path, FormatSystemOptions(options));
}

OptionsWindowFields FieldsFromOptions(const MainOptions& main, const SystemOptions& system) {
    OptionsWindowFields f;
    f.keepCategoryFilter = main.keepCategoryFilter;
    f.purgePastNotes = main.purgePastNotes;
    f.confirmDelete = main.confirmDelete;
    for (std::size_t k = 0; k < kSpanFieldOrder.size(); ++k)
        f.spanText[static_cast<std::size_t>(kSpanFieldOrder[k])] =
            main.workSpans.size() > 2 * k ? main.workSpans.substr(2 * k, 2) : std::string();
    f.shadeWorkSpans = main.shadeWorkSpans;
    for (std::size_t i = 0; i < 4; ++i)
        f.spanEnabled[i] = main.workSpanEnabled.size() > i && main.workSpanEnabled[i] == '1';
    f.fontName = main.tileFontName;
    f.fontSize = main.tileFontSize;
    f.foreColor = main.tileForeColor;
    // 0 and 1 both snap nothing; the window's field takes 1..60, so a file's 0 shows as 1.
    f.snapText = std::to_string(std::max(main.snapMinutes, 1));
    f.daysText = std::to_string(main.configuredDays);
    f.firstHourText = std::to_string(main.firstHour);
    f.lastHourText = std::to_string(main.lastHour);
    f.startAtLogon = system.startAtLogon;
    f.useTrayIcon = system.useTrayIcon;
    f.todayOnHide = system.todayOnHide;
    f.reminderSound = system.reminderSound;
    return f;
}

OptionsModuleState ModuleStateFromOptions(const MainOptions& main) {
    OptionsModuleState s;
    for (int i = 0; i < MainOptions::CategoryFlagCount; ++i)
        s.categoryShown.push_back(static_cast<std::size_t>(i) < main.categoryShownFlags.size()
                                      ? std::string(1, main.categoryShownFlags[static_cast<std::size_t>(i)])
                                      : std::string());
    s.skinName = main.skinName;
    s.maximised = main.maximised;
    s.windowHeight = main.windowHeight;
    s.windowWidth = main.windowWidth;
    s.languageFile = main.languageFile;
    s.notesPath = main.notesFilePath;
    return s;
}

std::string SaveOptionsText(OptionsWindowFields& f, const OptionsModuleState& s) {
    std::vector<std::string> lines;
    lines.reserve(MainOptions::LineCount);
    lines.push_back(Flag(f.keepCategoryFilter));
    for (int i = 0; i < 7; ++i)
        lines.emplace_back("not used");
    // Always one character per category: a flag that is empty or not "1" is hidden, as the panel showed it.
    // A shorter line would shift every later category onto its neighbour's flag at the next start.
    std::string shown(MainOptions::CategoryFlagCount, '1');
    for (std::size_t i = 0; i < shown.size() && i < s.categoryShown.size(); ++i)
        shown[i] = FlagValue(s.categoryShown[i]) ? '1' : '0';
    lines.push_back(shown);
    lines.push_back(s.skinName);
    lines.push_back(Flag(f.purgePastNotes));
    lines.push_back(Flag(f.confirmDelete));
    // Every field takes exactly two characters: a field of another length would shift all the fields after
    // it. One digit is padded; a field that holds no number (the window never saves one) writes its default.
    const std::string defaults = MainOptions{}.workSpans;
    std::string spans;
    for (std::size_t k = 0; k < kSpanFieldOrder.size(); ++k) {
        std::string& field = f.spanText[static_cast<std::size_t>(kSpanFieldOrder[k])];
        if (field.size() == 1 && std::isdigit(static_cast<unsigned char>(field[0])))
            field.insert(field.begin(), '0');
        if (!TwoDigits(field))
            field = defaults.substr(2 * k, 2);
        spans += field;
    }
    lines.push_back(spans);
    lines.push_back(Flag(f.shadeWorkSpans));
    std::string enabled;
    for (bool on : f.spanEnabled)
        enabled += on ? '1' : '0';
    lines.push_back(enabled);
    lines.push_back(f.fontName);
    lines.push_back(NumberForm(f.fontSize));
    lines.push_back(NumberForm(static_cast<double>(f.foreColor)));
    if (s.maximised) {
        lines.emplace_back("max");
        lines.emplace_back("max");
    } else {
        lines.push_back(NumberForm(s.windowHeight));
        lines.push_back(NumberForm(s.windowWidth));
    }
    lines.push_back(NumberForm(NumericValue(f.snapText)));
    lines.push_back(s.languageFile);
    lines.push_back(NumberForm(NumericValue(f.daysText)));
    lines.push_back(NumberForm(NumericValue(f.firstHourText)));
    lines.push_back(NumberForm(NumericValue(f.lastHourText)));
    lines.push_back(s.notesPath);
    return JoinLinesCrLf(lines);
}

WriteResult SaveOptions(const std::string& path, OptionsWindowFields& fields, const OptionsModuleState& state) {
    // The user's settings are replaced only when they could be read: a file that exists but cannot be read
    // (no permission, an I/O error) may hold settings that this save knows nothing of.
    ReadResult current = ReadWholeFile(path);
    if (current.failed())
        return WriteResult::Failure(current.error + ". The settings were not saved, so that file is kept as it is.");
    return RewriteFile(path, SaveOptionsText(fields, state));
}

std::string FormatMainOptions(const MainOptions& options) {
    OptionsWindowFields fields = FieldsFromOptions(options, SystemOptions{});
    return SaveOptionsText(fields, ModuleStateFromOptions(options));
}

SystemOptions SystemOptionsFromFields(const OptionsWindowFields& f) {
    return SystemOptions{f.startAtLogon, f.useTrayIcon, f.todayOnHide, f.reminderSound};
}

std::string WorkSpansFromLine(const std::string& line) {
    std::string spans = MainOptions{}.workSpans;
    if (line.size() != WorkSpansLength)
        return spans;
    // Span i's fields: start hour and minute at pair i, end hour and minute at pair 4 + i.
    for (std::size_t span = 0; span < 4; ++span) {
        const std::size_t start = 4 * span, end = WorkSpansLength / 2 + 4 * span;
        const std::string_view text(line);
        if (TwoDigits(text.substr(start, 2)) && TwoDigits(text.substr(start + 2, 2)) &&
            TwoDigits(text.substr(end, 2)) && TwoDigits(text.substr(end + 2, 2))) {
            spans.replace(start, 4, line, start, 4);
            spans.replace(end, 4, line, end, 4);
        }
    }
    return spans;
}

DeleteConfirmation DeleteConfirmationFromSetting(double value) {
    if (value == 0)
        return DeleteConfirmation::DeleteAtOnce;
    if (value == 1)
        return DeleteConfirmation::Ask;
    return DeleteConfirmation::Never;
}

std::optional<DeleteConfirmation> ReadDeleteConfirmation(const std::string& optionsPath) {
    // Twelve option lines are short; a few kilobytes hold them in any file the program wrote.
    ReadResult read = ReadFileStart(optionsPath, 64 * 1024);
    if (read.failed())
        return std::nullopt;
    const TextLines lines(std::move(read.bytes));
    const std::string_view line12 = lines.size() >= 12 ? lines.line(11) : std::string_view();
    return DeleteConfirmationFromSetting(NumericValue(line12));
}

std::vector<std::string> StartupCategoryFlags(const MainOptions& options) {
    std::vector<std::string> flags(MainOptions::CategoryFlagCount, "1");
    if (!options.keepCategoryFilter)
        return flags;
    for (std::size_t i = 0; i < flags.size(); ++i)
        flags[i] = i < options.categoryShownFlags.size() ? std::string(1, options.categoryShownFlags[i]) : "";
    return flags;
}

} // namespace plandeck

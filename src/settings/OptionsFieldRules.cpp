#include "settings/OptionsFieldRules.h"

#include "base/NumberForm.h"

#include <algorithm>

namespace plandeck {

namespace {

int FieldValue(const OptionsWindowFields& fields, int n) {
    return IntegerValue(fields.spanText[static_cast<std::size_t>(n)]);
}

void SetField(OptionsWindowFields& fields, int n, std::string text) {
    fields.spanText[static_cast<std::size_t>(n)] = std::move(text);
}

} // namespace

bool SnapStepValid(std::string_view text) {
    const double value = NumericValue(text);
    return value >= kSnapStepMin && value <= kSnapStepMax;
}

int SnapStepAfterClose(std::string_view text, int current) {
    if (!SnapStepValid(text))
        return current;
    // A fraction such as "1.5" is valid for the field; the program steps by whole minutes.
    return std::clamp(IntegerValue(text), kSnapStepMin, kSnapStepMax);
}

std::string ClampDaysText(const std::string& text) {
    const double value = NumericValue(text);
    if (value < kDaysMin)
        return std::to_string(kDaysMin);
    if (value > kDaysMax)
        return std::to_string(kDaysMax);
    return text;
}

HourPair ClampHourFields(std::string_view firstText, std::string_view lastText) {
    HourPair hours{std::clamp(IntegerValue(firstText), kFirstHourMin, kFirstHourMax),
                   std::clamp(IntegerValue(lastText), kLastHourMin, kLastHourMax)};
    if (hours.first >= hours.last)
        hours.last = hours.first + 1;
    return hours;
}

SpanFieldNumbers SpanFields(int span) {
    // Line 13 holds the four starts, then the four ends, each as hour and minute.
    const auto at = [](int k) { return kSpanFieldOrder[static_cast<std::size_t>(k)]; };
    return {at(2 * span), at(2 * span + 1), at(8 + 2 * span), at(8 + 2 * span + 1)};
}

bool WorkSpanValid(int h1, int m1, int h2, int m2) {
    const auto within = [](int v, int low, int high) { return v >= low && v <= high; };
    return within(h1, 6, 23) && within(m1, 0, 59) && within(h2, 6, 23) && within(m2, 0, 59) && h1 <= h2 &&
           (h1 != h2 || m1 < m2) && (h2 != 6 || m2 == 1);
}

bool WorkSpanValid(const OptionsWindowFields& fields, int span) {
    const SpanFieldNumbers n = SpanFields(span);
    return WorkSpanValid(FieldValue(fields, n.startHour), FieldValue(fields, n.startMinute),
                         FieldValue(fields, n.endHour), FieldValue(fields, n.endMinute));
}

bool SpanFieldFilled(std::string_view text) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return !text.empty() && text.size() <= 2 && std::all_of(text.begin(), text.end(), digit);
}

bool SaveAllowed(const OptionsWindowFields& fields) {
    if (!SnapStepValid(fields.snapText))
        return false;
    for (int n = 1; n <= 2 * 2 * kWorkSpanCount; ++n) {
        if (!SpanFieldFilled(fields.spanText[static_cast<std::size_t>(n)]))
            return false;
    }
    if (!fields.shadeWorkSpans)
        return true;
    for (int i = 0; i < kWorkSpanCount; ++i) {
        if (!WorkSpanValid(fields, i))
            return false;
    }
    return true;
}

void SetSpanBox(OptionsWindowFields& fields, int span, bool ticked) {
    fields.spanEnabled[static_cast<std::size_t>(span)] = ticked;
    const SpanFieldNumbers n = SpanFields(span);
    SetField(fields, n.startHour, ticked ? "8" : "6");
    SetField(fields, n.endHour, ticked ? "16" : "7");
    SetField(fields, n.startMinute, "00");
    SetField(fields, n.endMinute, "00");
}

std::string SpinnerText(int value, bool minutes) {
    std::string text = std::to_string(value);
    if (minutes && value >= 0 && value < 10)
        text.insert(text.begin(), '0');
    return text;
}

OptionsWindowFields FieldsForWindow(const MainOptions& main, const SystemOptions& system) {
    OptionsWindowFields fields = FieldsFromOptions(main, system);
    for (int i = 0; i < kWorkSpanCount; ++i) {
        if (!fields.spanEnabled[static_cast<std::size_t>(i)])
            SetSpanBox(fields, i, false);
    }
    return fields;
}

bool OptionsChanges::any() const {
    return skin || language || days || hours || font || workSpans || snapStep || notesFile || system;
}

OptionsSavePlan PlanOptionsSave(const OptionsSaveInput& in) {
    OptionsSavePlan plan;
    plan.fields = in.fields;
    plan.state = in.state;
    if (!in.pendingSkin.empty())
        plan.state.skinName = in.pendingSkin;
    if (!in.pendingLanguage.empty())
        plan.state.languageFile = in.pendingLanguage;

    OptionsWindowFields& f = plan.fields;
    const HourPair hours = ClampHourFields(f.firstHourText, f.lastHourText);
    f.firstHourText = std::to_string(hours.first);
    f.lastHourText = std::to_string(hours.last);
    // The day field is emptied when it gets the focus; saved empty it would ask for no columns at all.
    f.daysText = std::to_string(std::clamp(IntegerValue(ClampDaysText(f.daysText)), kDaysMin, kDaysMax));

    plan.mainText = SaveOptionsText(f, plan.state);
    plan.main = ParseMainOptions(TextLines(plan.mainText));
    plan.system = SystemOptionsFromFields(f);

    const MainOptions& b = in.before;
    const MainOptions& a = plan.main;
    OptionsChanges& c = plan.changes;
    c.skin = a.skinName != b.skinName;
    c.language = a.languageFile != b.languageFile;
    c.days = a.configuredDays != b.configuredDays;
    c.hours = a.firstHour != b.firstHour || a.lastHour != b.lastHour;
    c.font = a.tileFontName != b.tileFontName || a.tileFontSize != b.tileFontSize || a.tileForeColor != b.tileForeColor;
    c.workSpans =
        a.workSpans != b.workSpans || a.shadeWorkSpans != b.shadeWorkSpans || a.workSpanEnabled != b.workSpanEnabled;
    c.snapStep = a.snapMinutes != b.snapMinutes;
    c.notesFile = a.notesFilePath != b.notesFilePath;
    c.system = plan.system != in.beforeSystem;
    c.startAtLogon = plan.system.startAtLogon != in.beforeSystem.startAtLogon;
    c.trayIcon = plan.system.useTrayIcon != in.beforeSystem.useTrayIcon;
    return plan;
}

OptionsSaveOutcome SaveOptionsFiles(const OptionsSaveInput& input, const std::string& mainPath,
                                    const std::string& systemPath, bool writeSystem) {
    OptionsSaveOutcome outcome;
    outcome.plan = PlanOptionsSave(input);
    outcome.mainWrite = SaveOptions(mainPath, outcome.plan.fields, outcome.plan.state);
    if (!outcome.mainWrite.ok || !writeSystem)
        return outcome;
    outcome.systemWrite = WriteSystemOptions(systemPath, outcome.plan.system);
    if (!outcome.systemWrite.ok) {
        outcome.plan.system = input.beforeSystem;
        outcome.plan.changes.system = outcome.plan.changes.startAtLogon = outcome.plan.changes.trayIcon = false;
    }
    return outcome;
}

} // namespace plandeck

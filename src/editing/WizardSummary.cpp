#include "editing/WizardSummary.h"

#include "base/NumberForm.h"
#include "settings/LanguageEntries.h"

#include <string_view>
#include <vector>

namespace plandeck {

namespace {

namespace S = Entry::WizardSummary;

constexpr std::string_view Missing = "\xE2\x80\xA6"; // "…"

// The pattern for each day choice (day of month, weekly, every day), then every month, then every year.
constexpr int Patterns[3][2][2] = {
    {{S::OnceOnDay, S::YearlyOnDay}, {S::MonthlyInYear, S::MonthlyOnDay}},
    {{S::WeeklyInMonth, S::WeeklyYearly}, {S::WeeklyInYear, S::Weekly}},
    {{S::DailyInMonth, S::DailyYearly}, {S::DailyInYear, S::Daily}},
};

// "Monday", "Monday and Friday", "Monday, Wednesday and Friday".
std::string WeekdayList(const WizardForm& form, const LanguageTable& language) {
    std::vector<std::string_view> names;
    for (int i = 0; i < 7; ++i)
        if (form.weekdays[static_cast<std::size_t>(i)])
            names.push_back(language.entry(S::WeekdayFormBase + i + 1));
    if (names.empty())
        return std::string(Missing);
    std::string list(names[0]);
    for (std::size_t i = 1; i < names.size(); ++i) {
        if (i + 1 < names.size())
            list += ", ";
        else
            list += " " + language.entry(S::And) + " ";
        list += names[i];
    }
    return list;
}

} // namespace

std::string WizardSummary(const WizardForm& form, const LanguageTable& language) {
    const WizardCheck check = CheckWizardSteps(form, {});
    const int pattern = Patterns[static_cast<int>(form.dayChoice)][form.everyMonth ? 1 : 0][form.everyYear ? 1 : 0];
    std::string sentence = language.entry(pattern);

    const bool yearKnown = check.isValid(WizardStep::Year);
    const bool monthKnown = check.isValid(WizardStep::Month);
    const bool dayKnown = check.isValid(WizardStep::Day);
    FillNamed(sentence, "{year}", yearKnown ? std::to_string(PlainDecimal(form.yearText, 4)) : std::string(Missing));
    FillNamed(sentence, "{month}", monthKnown ? language.entry(S::MonthFormBase + form.month) : std::string(Missing));
    FillNamed(sentence, "{day}", dayKnown ? std::to_string(PlainDecimal(form.dayText, 2)) : std::string(Missing));
    FillNamed(sentence, "{weekdays}", WeekdayList(form, language));
    return sentence;
}

} // namespace plandeck

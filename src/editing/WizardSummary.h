#pragma once

#include "editing/WizardForm.h"
#include "settings/LanguageTable.h"

#include <string>

namespace plandeck {

// One plain sentence of the days the wizard's note will fall on ("Every Tuesday and Thursday of every month,
// in 2026 only"), in the language of the table. A part the user has not chosen yet, or chosen so that its
// step is not valid, reads "…", so the sentence shows what is missing.
std::string WizardSummary(const WizardForm& form, const LanguageTable& language);

} // namespace plandeck

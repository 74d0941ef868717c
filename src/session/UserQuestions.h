#pragma once

#include <optional>
#include <string>

namespace plandeck {

// How the session asks the user something while a command runs. The main window answers with message
// boxes; tests answer from a script. Texts are language-file bytes.
class UserQuestions {
public:
    enum class Buttons { YesNo, YesNoCancel };
    enum class Answer { Yes, No, Cancel };

    virtual ~UserQuestions() = default;

    // A question with a warning icon. `defaultAnswer` is what Enter chooses; `detail` (file bytes of its
    // own, such as a line of the notes file) is shown under the question.
    virtual Answer ask(const std::string& text, const std::string& title, Buttons buttons, Answer defaultAnswer,
                       const std::string& detail = {}) = 0;
    // A message with an OK button.
    virtual void tell(const std::string& text, const std::string& title) = 0;
    // A line of text (an input box) that opens holding `initial`; nothing when the user cancels.
    virtual std::optional<std::string> askText(const std::string& prompt, const std::string& title,
                                               const std::string& initial) {
        (void)prompt, (void)title, (void)initial;
        return std::nullopt;
    }
    // A colour (red + 256 x green + 65536 x blue) from the colour picker opened on `initial`; nothing when the
    // user cancels.
    virtual std::optional<long> chooseColour(long initial) {
        (void)initial;
        return std::nullopt;
    }
};

} // namespace plandeck

#pragma once

#include "session/UserQuestions.h"

namespace plandeck::bench {

// A user who takes every question's default answer and reads no message.
class NoQuestions : public UserQuestions {
public:
    Answer ask(const std::string&, const std::string&, Buttons, Answer defaultAnswer, const std::string&) override {
        return defaultAnswer;
    }
    void tell(const std::string&, const std::string&) override {}
};

} // namespace plandeck::bench

#pragma once

#include "session/Session.h"
#include "support/TempDir.h"

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace plandeck::test {

// Answers the session's questions from a script and records every question and message.
class ScriptedQuestions : public UserQuestions {
public:
    struct Asked {
        std::string text;
        std::string detail;
        Answer defaultAnswer;
    };
    std::deque<Answer> answers; // an empty script answers with the default
    // Input boxes and the colour picker; an empty script cancels them.
    std::deque<std::optional<std::string>> texts;
    std::deque<std::optional<long>> colours;
    std::vector<long> colourOpenedOn;
    std::vector<std::string> textOpenedOn;
    std::vector<Asked> asked;
    std::vector<std::string> told;
    // Runs while a question is open, as a user's resize or a timer would.
    std::function<void()> whileAsking;

    Answer ask(const std::string& text, const std::string&, Buttons, Answer defaultAnswer,
               const std::string& detail) override {
        asked.push_back({text, detail, defaultAnswer});
        if (whileAsking)
            whileAsking();
        if (answers.empty())
            return defaultAnswer;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void tell(const std::string& text, const std::string&) override { told.push_back(text); }
    std::optional<std::string> askText(const std::string& prompt, const std::string&,
                                       const std::string& initial) override {
        asked.push_back({prompt, {}, Answer::Cancel});
        textOpenedOn.push_back(initial);
        return Next(texts);
    }
    std::optional<long> chooseColour(long initial) override {
        colourOpenedOn.push_back(initial);
        return Next(colours);
    }

private:
    template <class T>
    static std::optional<T> Next(std::deque<std::optional<T>>& script) {
        if (script.empty())
            return std::nullopt;
        std::optional<T> next = script.front();
        script.pop_front();
        return next;
    }
};

// A session over a fresh data folder with the shipped language, a fixed moment and a grid of the design
// size (708 x 443 pixels).
struct SessionFixture : ::testing::Test {
    TempDir dir;
    ScriptedQuestions questions;
    std::unique_ptr<Session> session;
    TodayStamp now{{2026, 12, 7}, 10, 0}; // a Monday

    SessionFixture() {
        dir.write("pdlang/English.lng", ReadShipped("pdlang/English.lng"));
        dir.write("pdfiles/category.txt", "Work\r\n255\r\nHome\r\n65280\r\n");
    }
    static std::string ReadShipped(const std::string& name);

    // Loads the settings and opens the week of `now`.
    Changes start(const std::string& notes = {}) {
        dir.write("pdnotes/all.txt", notes);
        session = std::make_unique<Session>(DataDirectory(dir.path()), questions, std::string());
        session->loadSettings();
        session->setGridSize(708, 443);
        return session->openWeek(now);
    }
    const std::vector<NoteTile>& tiles() const { return session->grid().tiles; }
    std::string notesFile() const { return dir.read("pdnotes/all.txt"); }

    // On the design-size grid: three columns of 3200 twips from 780, hours 8..20 from 520.
    static float ColumnX(int column) { return 780 + 3200.0f * static_cast<float>(column) + 200; }
    float timeY(int hour, int minute) const { return session->grid().view.timeTop(hour, minute); }
    const NoteTile& tileWithText(const std::string& text) const {
        for (const NoteTile& t : tiles())
            if (t.text == text)
                return t;
        throw std::runtime_error("no tile " + text);
    }
    // The pointer rests on a tile's text: it is the selection.
    void point(const NoteTile& t) { session->pointAt(t.label.left + 10, t.label.top + 10, GripArea{}); }
};

} // namespace plandeck::test

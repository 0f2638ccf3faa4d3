#pragma once

// A Prompter for engine tests: records every prompt it is shown and answers
// each from a queue of key sequences, as a player at the keyboard would.
// Each kind of window goes to its own overload, which a suite's prompter
// overrides for the windows it answers; the town's own windows are refused
// unless it does, as a front end that cannot show them would.

#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/config_window.h"
#include "core/error.h"
#include "core/game.h"
#include "core/prompts.h"
#include "game/status_window.h"
#include "town/rankings.h"

namespace qvr::test {

struct Answer {
    std::vector<Key> keys;
    std::string text; // typed into a text box before the keys
};

class ScriptedPrompter : public Prompter {
public:
    std::deque<Answer> answers;
    std::vector<std::string> shown; // "MSG title|text", "ASK ...", "INPUT ...", "PICK prompt|rows"
    std::vector<std::string> files;
    std::vector<int> chooserModes; // the mode of each chooser opened

    void answer(std::vector<Key> keys, std::string text = "")
    {
        answers.push_back({std::move(keys), std::move(text)});
    }

    void run(Game& game, ModalWindow& window) override
    {
        switch (window.kind()) {
        case WindowKind::MessageBox:
            return run(game, *WindowAs<MessageBox>(window));
        case WindowKind::ListPicker:
            return run(game, *WindowAs<ListPicker>(window));
        case WindowKind::CharacterChooser:
            return run(game, *WindowAs<CharacterChooser>(window));
        case WindowKind::Settings:
            return run(game, *WindowAs<ConfigWindow>(window));
        case WindowKind::Status:
            return run(game, *WindowAs<StatusWindow>(window));
        case WindowKind::Ranking:
            return run(game, *WindowAs<RankingWindow>(window));
        case WindowKind::History:
            return run(game, *WindowAs<HistoryWindow>(window));
        }
    }

    virtual void run(Game& game, HistoryWindow& window)
    {
        std::string line = "HISTORY";
        for (const std::string& l : window.lines)
            line += "|" + l;
        shown.push_back(line);
        for (Key k : next().keys)
            window.pressKey(game, k);
        EXPECT_TRUE(window.closed());
    }

    virtual void run(Game&, ConfigWindow&)
    {
        throw GameError("this front end cannot show the settings window");
    }
    virtual void run(Game&, StatusWindow&)
    {
        throw GameError("this front end cannot show the status window");
    }
    virtual void run(Game&, RankingWindow&)
    {
        throw GameError("this front end cannot show the ranking window");
    }

    virtual void run(Game& game, MessageBox& box)
    {
        const char* kind = box.type == BoxType::Message ? "MSG "
                           : box.type == BoxType::YesNo ? "ASK "
                                                        : "INPUT ";
        shown.push_back(kind + box.title + "|" + box.text);
        Answer a = next();
        if (box.type == BoxType::Input && !a.text.empty())
            box.input = a.text;
        for (Key k : a.keys)
            box.pressKey(game, k);
        EXPECT_TRUE(box.closed()) << "a box stayed open: " << box.text;
    }

    virtual void run(Game& game, ListPicker& picker)
    {
        std::string line = "PICK " + picker.prompt;
        for (const Row& r : picker.rows)
            line += "|" + r.text;
        shown.push_back(line);
        lastSide = picker.sideRows;
        for (Key k : next().keys) {
            picker.pressKey(game, k);
            lastSide = picker.sideRows;
        }
        EXPECT_TRUE(picker.closed());
    }

    virtual void run(Game& game, CharacterChooser& chooser)
    {
        chooserModes.push_back(chooser.mode);
        while (!chooser.closed()) {
            std::string line = "CHOOSE";
            for (const Row& r : chooser.rows)
                line += "|" + r.text;
            shown.push_back(line);
            if (answers.empty()) {
                ADD_FAILURE() << "the chooser wanted an answer";
                chooser.cancel();
                return;
            }
            for (Key k : next().keys)
                chooser.pressKey(game, k);
        }
    }

    std::string chooseFile(Game&, const std::string& pattern) override
    {
        files.push_back(pattern);
        return next().text;
    }

    std::vector<std::string> lastSide;

private:
    Answer next()
    {
        if (answers.empty()) {
            ADD_FAILURE() << "a prompt was shown that the test did not expect";
            return {{Key::Escape, Key::Enter}, ""};
        }
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
};

// A game with a scripted prompter; returns the prompter for answers.
inline ScriptedPrompter& Script(Game& game)
{
    auto p = std::make_unique<ScriptedPrompter>();
    ScriptedPrompter& ref = *p;
    game.prompter = std::move(p);
    return ref;
}

} // namespace qvr::test

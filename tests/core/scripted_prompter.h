#pragma once

// A Prompter for engine tests: records every prompt it is shown and answers
// each from a queue of key sequences, as a player at the keyboard would.

#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/game.h"
#include "core/prompts.h"

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

    void answer(std::vector<Key> keys, std::string text = "")
    {
        answers.push_back({std::move(keys), std::move(text)});
    }

    void run(Game& game, MessageBox& box) override
    {
        const char* kind = box.type == BoxType::Message ? "MSG " : box.type == BoxType::YesNo ? "ASK " : "INPUT ";
        shown.push_back(kind + box.title + "|" + box.text);
        Answer a = next();
        if (box.type == BoxType::Input && !a.text.empty())
            box.input = a.text;
        for (Key k : a.keys)
            box.pressKey(game, k);
        EXPECT_TRUE(box.closed) << "a box stayed open: " << box.text;
    }

    void run(Game& game, ListPicker& picker) override
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
        EXPECT_TRUE(picker.closed);
    }

    void run(Game& game, CharacterChooser& chooser) override
    {
        while (!chooser.closed) {
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

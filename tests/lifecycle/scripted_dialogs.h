#pragma once
// Dialogs that answer from a script and remember what they were asked.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "dialogs.h"

namespace vexilor::test {

class ScriptedDialogs : public Dialogs {
  public:
    bool askYesNo(const std::string& text) override {
        questions.push_back(text);
        if (whileOpen) {
            whileOpen();  // what happens while the modal box waits for the user
        }
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showError(const std::string& text) override { errors.push_back(text); }
    void showInformation(const std::string& text) override { informations.push_back(text); }
    std::string chooseFile(const std::string& title) override {
        titles.push_back(title);
        if (whileOpen) {
            whileOpen();
        }
        return chosenFile;
    }

    std::function<void()> whileOpen;
    std::deque<bool> answers;
    std::string chosenFile;
    std::vector<std::string> questions;
    std::vector<std::string> errors;
    std::vector<std::string> informations;
    std::vector<std::string> titles;
};

}  // namespace vexilor::test

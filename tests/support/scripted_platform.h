#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/platform.h"

namespace vorn::testing {

/// A platform that answers every dialog from a script and records what was asked.
class ScriptedPlatform : public Platform {
  public:
    std::deque<std::optional<std::string>> inputAnswers;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<PrintResult> printAnswers;
    std::deque<CloseAnswer> closeAnswers;  // exhausted: Cancel

    std::vector<InputBoxRequest> inputRequests;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    int printRequests = 0;
    std::vector<std::pair<std::string, std::string>> messages;
    /// Runs while a file dialog is up, before it answers: shows the window at that moment.
    std::function<void()> whileFileDialogIsUp = [] {};
    std::vector<std::string> closeQuestions;

    std::optional<std::string> inputBox(const InputBoxRequest& request) override {
        inputRequests.push_back(request);
        return next(inputAnswers);
    }
    std::optional<std::string> openFileName(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        whileFileDialogIsUp();
        return next(openAnswers);
    }
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        whileFileDialogIsUp();
        return next(saveAnswers);
    }
    PrintResult printWindow() override {
        ++printRequests;
        if (printAnswers.empty()) {
            return {};
        }
        PrintResult answer = printAnswers.front();
        printAnswers.pop_front();
        return answer;
    }
    void showMessage(const std::string& title, const std::string& text) override {
        messages.emplace_back(title, text);
    }
    CloseAnswer askSaveChanges(const std::string& question) override {
        closeQuestions.push_back(question);
        if (closeAnswers.empty()) {
            return CloseAnswer::Cancel;
        }
        const CloseAnswer answer = closeAnswers.front();
        closeAnswers.pop_front();
        return answer;
    }

  private:
    // An exhausted script answers as a user who cancels.
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& answers) {
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace vorn::testing

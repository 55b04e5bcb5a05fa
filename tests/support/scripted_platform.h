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
    // The filter chosen with each Save answer; none: the proposed one.
    std::deque<int> saveFilterAnswers;
    std::deque<PrintResult> printAnswers;
    std::deque<CloseAnswer> closeAnswers;  // exhausted: Cancel
    std::deque<bool> chartFailures;        // whether each chart drawing fails; none: it succeeds

    std::vector<InputBoxRequest> inputRequests;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    int printRequests = 0;
    std::vector<std::pair<std::string, ChartPicture>> drawnCharts;  // file type, charts
    std::vector<std::pair<std::string, std::string>> messages;
    /// Runs while a file dialog is up, before it answers: shows the window at that moment.
    std::function<void()> whileFileDialogIsUp = [] {};
    std::vector<std::string> closeQuestions;
    std::deque<bool> replaceAnswers;  // exhausted: No
    std::vector<std::string> replaceQuestions;

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
    std::optional<SaveChoice> saveFileChoice(const FileDialogRequest& request) override {
        std::optional<std::string> path = saveFileName(request);
        int filter = request.selectedFilter;
        if (!saveFilterAnswers.empty()) {
            filter = saveFilterAnswers.front();
            saveFilterAnswers.pop_front();
        }
        return path ? std::optional<SaveChoice>(SaveChoice{*path, filter}) : std::nullopt;
    }
    // A drawing that succeeds gives the bytes "charts TYPE"; one that fails answers as the
    // real one does.
    DrawnFile drawChartFile(const std::string& type, const ChartPicture& charts) override {
        drawnCharts.emplace_back(type, charts);
        const bool fails = !chartFailures.empty() && chartFailures.front();
        if (!chartFailures.empty()) {
            chartFailures.pop_front();
        }
        if (fails) {
            return {{}, "the charts could not be drawn"};
        }
        return {"charts " + type, {}};
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
    bool askToReplace(const std::string& question) override {
        replaceQuestions.push_back(question);
        if (replaceAnswers.empty()) {
            return false;
        }
        const bool answer = replaceAnswers.front();
        replaceAnswers.pop_front();
        return answer;
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

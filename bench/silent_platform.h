#pragma once

#include <optional>
#include <string>

#include "shell/platform.h"

namespace vorn::bench {

/// A platform that answers nothing: the benchmarks open no dialog and draw no chart file.
class SilentPlatform : public Platform {
  public:
    std::optional<std::string> inputBox(const InputBoxRequest&) override { return {}; }
    std::optional<std::string> openFileName(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileName(const FileDialogRequest&) override { return {}; }
    PrintResult printWindow() override { return {}; }
    DrawnFile drawChartFile(const std::string&, const ChartPicture&) override {
        return {{}, "not drawn"};
    }
    void showMessage(const std::string&, const std::string&) override {}
    CloseAnswer askSaveChanges(const std::string&) override { return CloseAnswer::Discard; }
    bool askToReplace(const std::string&) override { return true; }
};

}  // namespace vorn::bench

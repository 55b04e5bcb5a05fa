#pragma once

// Scenario files for the vorn-run tests, written in the scenario file format: one field per
// line, text fields in double quotes, every line ending in CR LF.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace vorn::testing {

struct FixtureScenario {
    std::vector<std::string> names;        // N
    std::vector<std::string> trend;        // N x N cell texts, row-major
    std::vector<std::string> uncertainty;  // N
    std::vector<std::string> lags;         // N
    std::vector<std::string> policy;       // N x N cell texts, row-major
};

inline std::string scenarioText(const FixtureScenario& scenario) {
    const std::size_t n = scenario.names.size();
    std::string text = std::to_string(n) + "\r\n";
    const auto field = [&text](const std::string& value, bool quoted) {
        text += quoted ? "\"" + value + "\"" : value;
        text += "\r\n";
    };
    const auto square = [&](const char* title, const std::vector<std::string>& cells) {
        field(title, true);
        for (const std::string& name : scenario.names) {
            field(name, true);
        }
        for (std::size_t r = 0; r < n; ++r) {
            field(scenario.names[r], true);
            for (std::size_t c = 0; c < n; ++c) {
                field(cells[r * n + c], true);
            }
        }
    };
    square("Trend Matrix", scenario.trend);
    field("0", false);
    for (const std::string& value : scenario.uncertainty) {
        field(value, false);
    }
    field("0", false);
    for (const std::string& value : scenario.lags) {
        field(value, false);
    }
    square("Policy Matrix", scenario.policy);
    return text;
}

/// Two items A and B: Trend 1, -1 / 2, 0; Uncertainty 5, 10; Lags 1, 0; Policy 1 at (B, B).
inline FixtureScenario twoItemScenario() {
    return {{"A", "B"}, {"1", "-1", "2", "0"}, {"5", "10"}, {"1", "0"}, {"0", "0", "0", "1"}};
}

/// `n` items with non-zero entries everywhere, the same for every call.
inline FixtureScenario denseScenario(int n) {
    FixtureScenario scenario;
    for (int r = 0; r < n; ++r) {
        scenario.names.push_back("Item  " + std::to_string(r + 1));
        for (int c = 0; c < n; ++c) {
            scenario.trend.push_back(std::to_string(((r * 7 + c * 3) % 11 - 5) * 0.1).substr(0, 5));
            scenario.policy.push_back(std::to_string(((r + c) % 5 - 2) * 0.05).substr(0, 5));
        }
        scenario.uncertainty.push_back(std::to_string(1 + r % 3));
        scenario.lags.push_back(std::to_string(r % 4));
    }
    return scenario;
}

/// A folder of its own under the system's temporary folder, removed with its files.
class TempFolder {
  public:
    TempFolder() {
        std::random_device device;
        m_path = std::filesystem::temp_directory_path() /
                 ("vorn-run-test-" + std::to_string(device()) + std::to_string(device()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path(const std::string& name) const { return (m_path / name).string(); }

    std::string write(const std::string& name, const std::string& bytes) const {
        const std::string file = path(name);
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

  private:
    std::filesystem::path m_path;
};

inline std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace vorn::testing

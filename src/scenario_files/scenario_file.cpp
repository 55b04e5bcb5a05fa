#include "scenario_files/scenario_file.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "scenario_files/file_kind.h"
#include "shell/trends.h"
#include "tables/number_text.h"
#include "tables/text_encoding.h"

namespace vorn {
namespace {

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t';
}
bool isLineEnd(char ch) {
    return ch == '\r' || ch == '\n';
}

// Control bytes other than tab, line feed, vertical tab, form feed and carriage return
// do not occur in text; the old end-of-file mark Ctrl+Z is tolerated.
bool isText(std::string_view bytes) {
    for (char ch : bytes) {
        const auto byte = static_cast<std::uint8_t>(ch);
        if (byte < 0x20 && !(byte >= 0x09 && byte <= 0x0D) && byte != 0x1A) {
            return false;
        }
    }
    return true;
}

struct Field {
    std::string text;
    bool quoted = false;
    bool number = false;
};

// Takes the fields of a scenario file one after the other.
class FieldReader {
  public:
    explicit FieldReader(std::string_view text) : m_text(text) {}

    enum class Status { Field, End, Error };

    Status next(Field& field, std::string& error) {
        if (m_pos >= m_text.size()) {
            return Status::End;
        }
        while (m_pos < m_text.size() && isBlank(m_text[m_pos])) {
            ++m_pos;
        }
        field = Field{};
        if (m_pos < m_text.size() && m_text[m_pos] == '"') {
            const std::size_t start = ++m_pos;
            while (m_pos < m_text.size() && m_text[m_pos] != '"' && !isLineEnd(m_text[m_pos])) {
                ++m_pos;
            }
            if (m_pos >= m_text.size() || m_text[m_pos] != '"') {
                error = "line " + std::to_string(m_line) +
                        " holds a text that has no closing double quote";
                return Status::Error;
            }
            const std::string_view text = m_text.substr(start, m_pos - start);
            ++m_pos;
            if (!checkLength(text, error)) {
                return Status::Error;
            }
            field.text = std::string(text);
            field.quoted = true;
            // The rest of the line up to the next comma belongs to no field.
            while (m_pos < m_text.size() && m_text[m_pos] != ',' && !isLineEnd(m_text[m_pos])) {
                ++m_pos;
            }
        } else {
            const std::size_t start = m_pos;
            while (m_pos < m_text.size() && m_text[m_pos] != ',' && !isLineEnd(m_text[m_pos])) {
                ++m_pos;
            }
            const std::string_view text = trimBlanks(m_text.substr(start, m_pos - start));
            if (!checkLength(text, error)) {
                return Status::Error;
            }
            if (isDecimalNumber(text)) {
                field.text = numberText(numericValue(text));
                field.number = true;
            } else {
                field.text = std::string(text);
            }
        }
        skipSeparator();
        return Status::Field;
    }

  private:
    bool checkLength(std::string_view text, std::string& error) const {
        if (text.size() > kMaxTextLength && utf8Length(text) > kMaxTextLength) {
            error = "line " + std::to_string(m_line) + " holds a value longer than " +
                    std::to_string(kMaxTextLength) + " characters";
            return false;
        }
        return true;
    }

    void skipSeparator() {
        if (m_pos >= m_text.size()) {
            return;
        }
        const char ch = m_text[m_pos++];
        if (ch == '\r') {
            if (m_pos < m_text.size() && m_text[m_pos] == '\n') {
                ++m_pos;
            }
            ++m_line;
        } else if (ch == '\n') {
            ++m_line;
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
};

ScenarioReadResult failure(std::string error) {
    return ScenarioReadResult{std::nullopt, std::move(error)};
}

// The count is the numeric value of the count text, the first characters of its field that
// the window keeps ("2 items" counts 2), which must be a whole number from 0 to 20; anything
// else is refused before a single further field is read, whatever size it claims. Reading
// the kept text, not the whole field, makes a saved count read back as the same number.
std::optional<int> itemCountOf(std::string_view countText) {
    if (!startsWithNumber(countText)) {
        return std::nullopt;
    }
    const double value = numericValue(countText);
    if (!(value >= 0 && value <= kMaxItems) || value != std::floor(value)) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

// The first `count` characters of UTF-8 text.
std::string_view firstCharacters(std::string_view text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size() && characters < count; ++characters) {
        ++end;
        while (end < text.size() && (static_cast<std::uint8_t>(text[end]) & 0xC0) == 0x80) {
            ++end;
        }
    }
    return text.substr(0, end);
}

std::string quotedForMessage(const std::string& text) {
    constexpr std::size_t kShown = 40;
    const std::string_view shown = firstCharacters(text, kShown);
    return '"' + std::string(shown) + (shown.size() < text.size() ? "...\"" : "\"");
}

const std::string& fieldAt(const std::vector<std::string>& fields, std::size_t index) {
    static const std::string kEmpty;
    return index < fields.size() ? fields[index] : kEmpty;
}

std::string cellName(const char* table, int row, int column) {
    return std::string("the ") + table + " cell in row " + std::to_string(row) + ", column " +
           std::to_string(column);
}

}  // namespace

ScenarioReadResult parseScenario(std::string_view bytes) {
    if (!isText(bytes)) {
        return failure("it is not a text file (it holds control characters such as NUL bytes)");
    }
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    std::string converted;
    if (!isValidUtf8(bytes)) {
        converted = windows1252ToUtf8(bytes);
        bytes = converted;
    }

    FieldReader reader(bytes);
    Field field;
    std::string error;
    FieldReader::Status status = reader.next(field, error);
    if (status == FieldReader::Status::Error) {
        return failure(error);
    }
    if (status == FieldReader::Status::End) {
        return failure("it is empty");
    }
    const std::string_view countText = firstCharacters(field.text, kCountTextLength);
    const std::optional<int> count = itemCountOf(countText);
    if (!count) {
        return failure("its first line should hold the number of items, a whole number from 0 to " +
                       std::to_string(kMaxItems) + ", but holds " + quotedForMessage(field.text));
    }

    ScenarioData data;
    data.items = *count;
    data.countText = countText;
    // A count text with a double quote could not be saved again: the number stands for it.
    if (data.countText.find('"') != std::string::npos) {
        data.countText = numberText(*count);
    }
    data.countQuoted = field.quoted;
    const auto side = static_cast<std::size_t>(data.items + 1);
    const int required = scenarioFieldCount(data.items);
    int read = 1;
    auto readInto = [&](std::vector<std::string>& target, std::size_t count) {
        target.reserve(count);
        for (std::size_t k = 0; k < count; ++k) {
            status = reader.next(field, error);
            if (status != FieldReader::Status::Field) {
                return false;
            }
            target.push_back(std::move(field.text));
            ++read;
        }
        return true;
    };
    if (readInto(data.trend, side * side) && readInto(data.uncertainty, side) &&
        readInto(data.lags, side) && readInto(data.policy, side * side)) {
        return ScenarioReadResult{std::move(data), {}};
    }
    if (status == FieldReader::Status::Error) {
        return failure(error);
    }
    return failure("it ends after " + std::to_string(read) + " of the " + std::to_string(required) +
                   " values that a scenario of " + std::to_string(data.items) +
                   (data.items == 1 ? " item" : " items") + " needs");
}

ScenarioReadResult readScenarioFile(const std::string& path) {
    const std::string named = "The scenario file \"" + path + "\" ";
    // Only an ordinary file is read: a pipe or device would block or never end.
    if (const std::string reason = notAFileReason(lookAtFile(path)); !reason.empty()) {
        return failure(named + "could not be opened: " + reason + ".");
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return failure(named + "could not be opened: " + systemReason(errno) + ".");
    }
    std::string bytes;
    char buffer[65536];
    bool tooLarge = false;
    errno = 0;
    while (true) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
        bytes.append(buffer, got);
        if (bytes.size() > kMaxScenarioFileBytes) {
            tooLarge = true;
            break;
        }
        if (got < sizeof buffer) {
            break;
        }
    }
    const bool readError = std::ferror(file) != 0;
    const int readErrno = errno;
    std::fclose(file);
    if (readError) {
        return failure(named + "could not be read: " + systemReason(readErrno) + ".");
    }
    if (tooLarge) {
        return failure(named + "is too large to be a scenario file.");
    }
    ScenarioReadResult result = parseScenario(bytes);
    if (!result.data) {
        result.error = named + "cannot be loaded: " + result.error + ".";
    }
    return result;
}

void applyScenario(ScenarioTables& tables, const ScenarioData& data) {
    const int n = data.items;
    const auto side = static_cast<std::size_t>(n + 1);
    resizeForItems(tables, n);
    for (int i = 0; i <= n; ++i) {
        for (int j = 0; j <= n; ++j) {
            const std::size_t cell =
                static_cast<std::size_t>(i) * side + static_cast<std::size_t>(j);
            tables.trend.setText(i, j, fieldAt(data.trend, cell));
            tables.policy.setText(i, j, fieldAt(data.policy, cell));
        }
        const auto column = static_cast<std::size_t>(i);
        tables.totals.setText(kUncertaintyRow, i,
                              numberText(numericValue(fieldAt(data.uncertainty, column))));
        tables.totals.setText(kLagsRow, i, numberText(numericValue(fieldAt(data.lags, column))));
    }
    tables.trend.setText(0, 0, kTrendTitle);
    tables.totals.setText(0, 0, kTotalsTitle);
    tables.policy.setText(0, 0, kPolicyTitle);
}

std::string scenarioWriteProblem(const ScenarioTables& tables, const ItemCount& cats) {
    const int n = cats.value;
    if (n < 0 || n > kMaxItems) {
        return "the number of items, " + std::to_string(n) + ", is not from 0 to " +
               std::to_string(kMaxItems);
    }
    auto problemWith = [](const std::string& text) -> std::string {
        if (text.find('"') != std::string::npos) {
            return "holds a double quote";
        }
        if (text.find_first_of("\r\n") != std::string::npos) {
            return "holds a line break";
        }
        if (!isValidUtf8(text)) {
            return "holds characters that are not UTF-8";
        }
        if (utf8Length(text) > kMaxTextLength) {
            return "is longer than " + std::to_string(kMaxTextLength) + " characters";
        }
        return {};
    };
    if (cats.heldAsText) {
        if (const std::string problem = problemWith(cats.text); !problem.empty()) {
            return "the number of items " + quotedForMessage(cats.text) + " " + problem;
        }
    }
    const struct {
        const CellTable& table;
        const char* name;
    } matrices[] = {{tables.trend, kTrendTitle}, {tables.policy, kPolicyTitle}};
    for (const auto& matrix : matrices) {
        for (int row = 0; row <= n; ++row) {
            for (int column = 0; column <= n; ++column) {
                const std::string& text = matrix.table.text(row, column);
                if (const std::string problem = problemWith(text); !problem.empty()) {
                    return cellName(matrix.name, row, column) + ", " + quotedForMessage(text) +
                           ", " + problem;
                }
            }
        }
    }
    return {};
}

std::string formatScenario(const ScenarioTables& tables, const ItemCount& cats) {
    constexpr std::string_view kLineEnd = "\r\n";
    const int n = cats.value;
    std::string out;
    auto textLine = [&](const std::string& text) {
        out += '"';
        out += text;
        out += '"';
        out += kLineEnd;
    };
    auto numberLine = [&](const std::string& text) {
        out += numberText(numericValue(text));
        out += kLineEnd;
    };
    if (cats.heldAsText) {
        textLine(cats.text);
    } else {
        out += std::to_string(n);
        out += kLineEnd;
    }
    for (int row = 0; row <= n; ++row) {
        for (int column = 0; column <= n; ++column) {
            textLine(tables.trend.text(row, column));
        }
    }
    for (int column = 0; column <= n; ++column) {
        numberLine(tables.totals.text(kUncertaintyRow, column));
    }
    for (int column = 0; column <= n; ++column) {
        numberLine(tables.totals.text(kLagsRow, column));
    }
    for (int row = 0; row <= n; ++row) {
        for (int column = 0; column <= n; ++column) {
            textLine(tables.policy.text(row, column));
        }
    }
    return out;
}

}  // namespace vorn

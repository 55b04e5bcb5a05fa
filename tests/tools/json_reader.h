#pragma once

// A small strict JSON reader for checking what vorn-run writes: it accepts exactly the
// JSON grammar (RFC 8259) and yields a tree to look into.

#include <charconv>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vorn::testing {

struct JsonValue;
using JsonArray = std::vector<JsonValue>;
using JsonObject = std::vector<std::pair<std::string, JsonValue>>;

struct JsonValue {
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<JsonArray>,
                 std::shared_ptr<JsonObject>>
        value;

    bool isNull() const { return std::holds_alternative<std::nullptr_t>(value); }
    bool isNumber() const { return std::holds_alternative<double>(value); }
    double number() const { return std::get<double>(value); }
    const std::string& string() const { return std::get<std::string>(value); }
    bool boolean() const { return std::get<bool>(value); }
    const JsonArray& array() const { return *std::get<std::shared_ptr<JsonArray>>(value); }
    const JsonObject& object() const { return *std::get<std::shared_ptr<JsonObject>>(value); }
    bool isArray() const { return std::holds_alternative<std::shared_ptr<JsonArray>>(value); }
    bool isObject() const { return std::holds_alternative<std::shared_ptr<JsonObject>>(value); }

    /// The member `key` of an object; throws when there is none.
    const JsonValue& operator[](std::string_view key) const {
        for (const auto& [name, member] : object()) {
            if (name == key) {
                return member;
            }
        }
        throw std::out_of_range("no member " + std::string(key));
    }
    const JsonValue& operator[](std::size_t index) const { return array().at(index); }
    std::vector<std::string> keys() const {
        std::vector<std::string> names;
        for (const auto& member : object()) {
            names.push_back(member.first);
        }
        return names;
    }
    std::vector<double> numbers() const {
        std::vector<double> out;
        for (const JsonValue& item : array()) {
            out.push_back(item.number());
        }
        return out;
    }
    std::vector<std::string> strings() const {
        std::vector<std::string> out;
        for (const JsonValue& item : array()) {
            out.push_back(item.string());
        }
        return out;
    }
};

class JsonReader {
  public:
    /// The value of `text`, or nothing when it is not one complete JSON text.
    static std::optional<JsonValue> read(std::string_view text) {
        JsonReader reader(text);
        JsonValue value;
        reader.skipBlanks();
        if (!reader.value(value)) {
            return std::nullopt;
        }
        reader.skipBlanks();
        if (reader.m_pos != text.size()) {
            return std::nullopt;
        }
        return value;
    }

  private:
    explicit JsonReader(std::string_view text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    void skipBlanks() {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r')) {
            ++m_pos;
        }
    }
    bool literal(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) != word) {
            return false;
        }
        m_pos += word.size();
        return true;
    }

    bool value(JsonValue& out) {
        switch (peek()) {
            case '{':
                return object(out);
            case '[':
                return array(out);
            case '"': {
                std::string text;
                if (!string(text)) {
                    return false;
                }
                out.value = std::move(text);
                return true;
            }
            case 't':
                out.value = true;
                return literal("true");
            case 'f':
                out.value = false;
                return literal("false");
            case 'n':
                out.value = nullptr;
                return literal("null");
            default:
                return number(out);
        }
    }

    bool number(JsonValue& out) {
        const std::size_t start = m_pos;
        const auto digits = [this] {
            const std::size_t from = m_pos;
            while (!atEnd() && peek() >= '0' && peek() <= '9') {
                ++m_pos;
            }
            return m_pos - from;
        };
        if (peek() == '-') {
            ++m_pos;
        }
        if (peek() == '0') {
            ++m_pos;
        } else if (digits() == 0) {
            return false;
        }
        if (peek() == '.') {
            ++m_pos;
            if (digits() == 0) {
                return false;
            }
        }
        if (peek() == 'e' || peek() == 'E') {
            ++m_pos;
            if (peek() == '+' || peek() == '-') {
                ++m_pos;
            }
            if (digits() == 0) {
                return false;
            }
        }
        double number = 0;
        const std::string_view text = m_text.substr(start, m_pos - start);
        std::from_chars(text.data(), text.data() + text.size(), number);
        out.value = number;
        return true;
    }

    bool hex4(unsigned& code) {
        if (m_pos + 4 > m_text.size()) {
            return false;
        }
        code = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = m_text[m_pos++];
            code <<= 4;
            if (c >= '0' && c <= '9') {
                code |= static_cast<unsigned>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                code |= static_cast<unsigned>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                code |= static_cast<unsigned>(c - 'A' + 10);
            } else {
                return false;
            }
        }
        return true;
    }

    static void appendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool string(std::string& out) {
        ++m_pos;  // the opening quote
        while (!atEnd()) {
            const unsigned char c = static_cast<unsigned char>(m_text[m_pos++]);
            if (c == '"') {
                return true;
            }
            if (c < 0x20) {
                return false;  // control characters must be escaped
            }
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            const char escape = peek();
            ++m_pos;
            switch (escape) {
                case '"':
                case '\\':
                case '/':
                    out += escape;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    unsigned code = 0;
                    if (!hex4(code)) {
                        return false;
                    }
                    appendUtf8(out, code);
                    break;
                }
                default:
                    return false;
            }
        }
        return false;
    }

    template <typename Item>
    bool sequence(char close, Item item) {
        ++m_pos;
        skipBlanks();
        if (peek() == close) {
            ++m_pos;
            return true;
        }
        while (true) {
            skipBlanks();
            if (!item()) {
                return false;
            }
            skipBlanks();
            if (peek() == close) {
                ++m_pos;
                return true;
            }
            if (peek() != ',') {
                return false;
            }
            ++m_pos;
        }
    }

    bool array(JsonValue& out) {
        auto items = std::make_shared<JsonArray>();
        const bool ok = sequence(']', [&] {
            JsonValue item;
            if (!value(item)) {
                return false;
            }
            items->push_back(std::move(item));
            return true;
        });
        out.value = items;
        return ok;
    }

    bool object(JsonValue& out) {
        auto members = std::make_shared<JsonObject>();
        const bool ok = sequence('}', [&] {
            std::string key;
            if (peek() != '"' || !string(key)) {
                return false;
            }
            skipBlanks();
            if (peek() != ':') {
                return false;
            }
            ++m_pos;
            skipBlanks();
            JsonValue member;
            if (!value(member)) {
                return false;
            }
            members->emplace_back(std::move(key), std::move(member));
            return true;
        });
        out.value = members;
        return ok;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

}  // namespace vorn::testing

#include "scenario_files/text_format.h"

#include <cmath>

#include "tables/number_text.h"

namespace vorn {
namespace {

// Length of the valid UTF-8 sequence at the start of `text`, or 0 when it is not one
// (stray continuation bytes, overlong forms, surrogates and values above U+10FFFF).
std::size_t utf8SequenceLength(std::string_view text) {
    const auto byte = [&text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(k) < 0x80 || byte(k) > 0xBF) {
            return 0;
        }
    }
    return length;
}

}  // namespace

void appendNumber(std::string& out, double value, std::string_view nonFinite) {
    if (!std::isfinite(value)) {
        if (!nonFinite.empty()) {
            out += nonFinite;
        } else {
            out += std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf";
        }
        return;
    }
    appendNumberText(out, value);
}

void appendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    std::size_t k = 0;
    while (k < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[k]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else if (c >= 0x80) {
            const std::size_t length = utf8SequenceLength(text.substr(k));
            if (length == 0) {
                out += "\xEF\xBF\xBD";
                ++k;
                continue;
            }
            out += text.substr(k, length);
            k += length;
            continue;
        } else {
            out += static_cast<char>(c);
        }
        ++k;
    }
    out += '"';
}

void appendCsvField(std::string& out, std::string_view text) {
    const bool blankAtEdge = !text.empty() && (text.front() == ' ' || text.front() == '\t' ||
                                               text.back() == ' ' || text.back() == '\t');
    if (!blankAtEdge && text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

}  // namespace vorn

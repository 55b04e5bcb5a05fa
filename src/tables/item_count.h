#pragma once

#include <string>
#include <utility>

namespace vorn {

/// The number of items as the window holds it: a number, or after a load the text read from
/// the file's count line, which a later save writes back as text.
struct ItemCount {
    int value = 0;
    bool heldAsText = false;
    std::string text;  // the count's text when heldAsText

    static ItemCount number(int value) { return ItemCount{value, false, {}}; }
    static ItemCount fromText(std::string text, int value) {
        return ItemCount{value, true, std::move(text)};
    }

    friend bool operator==(const ItemCount&, const ItemCount&) = default;
};

}  // namespace vorn

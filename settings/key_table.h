#pragma once
#include <array>
#include <span>
#include <string>
#include <variant>

#include "settings/settings.h"

namespace settings {

// How a hand-edited value outside its control's range is taken.
enum class Range {
    Any,          // free text or number
    Clamp,        // check boxes, sliders, combo indexes: nearest end of the range
    DefaultIfOut  // option-button groups: an index with no button takes the default
};

using Field = std::variant<int Settings::*, float Settings::*, std::wstring Settings::*,
                           std::array<std::int32_t, 8> Settings::*>;

struct KeyDef {
    const wchar_t* section;
    const wchar_t* key;
    Field field;
    Range range = Range::Any;
    int min = 0;
    int max = 0;
    int colourIndex = -1;  // position in Settings::colours
};

// The keys in the order start-up reads them (Ver is handled on its own).
std::span<const KeyDef> keyTable();
const KeyDef* findKey(const std::wstring& key);

}  // namespace settings

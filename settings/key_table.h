#pragma once
#include <array>
#include <cstdint>
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

// One key of KorvaNT.ini. Its default is the initialiser of its field in Settings.
struct KeyDef {
    const wchar_t* section;
    const wchar_t* key;
    Field field;
    Range range = Range::Any;
    int min = 0;
    int max = 0;
    int colourIndex = -1;  // position in Settings::colours
    bool saved = true;     // false: read only (the version step and hand edits write it)
};

// Every key, in the order start-up reads them.
std::span<const KeyDef> keyTable();

// The keys the save command writes, in its order: the table's.
std::span<const KeyDef* const> saveOrder();

// The key that stores `field` (not for the colours, which share one field).
const KeyDef& keyOf(const Field& field);

}  // namespace settings

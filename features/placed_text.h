#pragma once
#include <string>

namespace features {

// A text of a picture, printed over the image in the row font at the picture's scale.
struct PlacedText {
    int x = 0, y = 0;
    std::wstring text;
};

}  // namespace features

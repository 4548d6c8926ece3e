#pragma once
#include "base/image.h"

namespace render {

// The images and colours of the base layer, under the names the drawing code uses.
using base::Colour;
using base::fromPixel;
using base::Image;
using base::rgb;
using base::toPixel;

}  // namespace render

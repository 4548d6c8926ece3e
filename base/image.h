#pragma once
#include <cstdint>
#include <vector>

namespace base {

// A Windows colour value: 0x00BBGGRR, as stored in the settings.
using Colour = std::uint32_t;

constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

// An off-screen 32-bit image. Pixels are kept in the layout of a top-down 32-bit DIB
// (0x00RRGGBB per pixel) so that GDI can draw text into a copy of the same memory.
class Image {
public:
    Image() = default;
    Image(int width, int height, Colour fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    // Changes the size; the content becomes the background colour.
    void resize(int width, int height);

    Colour background() const { return background_; }
    // Sets the background colour and clears the image to it.
    void setBackground(Colour colour);
    void clear() { fill(background_); }
    void fill(Colour colour);

    // The colour text is printed in.
    Colour foreground() const { return foreground_; }
    void setForeground(Colour colour) { foreground_ = colour; }

    Colour pixel(int x, int y) const;  // 0 outside the image
    void setPixel(int x, int y, Colour colour);

    std::uint32_t* data() { return pixels_.data(); }
    const std::uint32_t* data() const { return pixels_.data(); }

private:
    int width_ = 0;
    int height_ = 0;
    Colour background_ = 0;
    Colour foreground_ = 0;
    std::vector<std::uint32_t> pixels_;
};

std::uint32_t toPixel(Colour colour);
Colour fromPixel(std::uint32_t pixel);

}  // namespace base

#pragma once
// The geometry of the background window: the colour bands drawn when the platform has no
// gradient function, and the rectangle the background bitmap is stretched into.

#include "ui/portable/ExactStepper.h"

#include <cstdint>

// A rectangle in window pixels: right and bottom are the far edges (exclusive, as the
// platform's client rectangle).
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Colours are 0x00BBGGRR.
constexpr uint32_t packColour(int red, int green, int blue)
{
    return static_cast<uint32_t>(red & 0xff) | (static_cast<uint32_t>(green & 0xff) << 8) |
           (static_cast<uint32_t>(blue & 0xff) << 16);
}

// The bands of a vertical gradient from topColour to bottomColour over top..bottom:
// height = bottom - top + 1, band = height / 224 clipped to 1..3, steps = height / band; one
// exact stepper per channel spreads (top value - bottom value) over the steps, and every band
// takes the colour after subtracting the next step of each channel (so the first band is
// already one step away from the top colour). Channels are kept inside 0..255.
class GradientBands {
public:
    GradientBands(int top, int bottom, uint32_t topColour, uint32_t bottomColour);

    int bandHeight() const { return band_; }
    int steps() const { return steps_; }

    // The next band: y0 (inclusive), y1 = y0 + band, its colour. False once y0 reaches
    // bottom (no band at all when bottom <= top).
    bool next(int& y0, int& y1, uint32_t& colour);

private:
    int y_, bottom_, band_, steps_;
    int red_, green_, blue_;
    ExactStepper redStep_, greenStep_, blueStep_;
};

// Half away from zero.
int roundHalfAway(double x);

// The rectangle the bitmap (width x height pixels) is stretched into for a share of percent
// of the client rectangle: the client rectangle itself at 100 or more; otherwise the
// client rectangle scaled by the share and kept centred, then narrowed (a bitmap as high as
// wide or higher) or flattened (a wider bitmap) to the bitmap's proportions, still centred.
// A side of new length n starts at (far - n + near + 1) / 2. False (rect unchanged) when
// percent < 1 or the scaled bitmap has no area.
bool bitmapRectangle(const PixelRect& client, int percent, int width, int height, PixelRect& rect);

#include "ui/portable/BackgroundGeometry.h"

namespace {

int bandHeightFor(int height)
{
    const int band = height / 224;
    return band < 1 ? 1 : band > 3 ? 3 : band;
}

int channel(uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xff); }

int clipChannel(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

// Keeps a side of new length n centred between near and far.
void centreSide(int& nearEdge, int& farEdge, int n)
{
    nearEdge = (farEdge - n + nearEdge + 1) / 2;
    farEdge = nearEdge + n;
}

} // namespace

GradientBands::GradientBands(int top, int bottom, uint32_t topColour, uint32_t bottomColour)
    : y_(top), bottom_(bottom), band_(bandHeightFor(bottom - top + 1)),
      steps_((bottom - top + 1) / band_ < 1 ? 1 : (bottom - top + 1) / band_),
      red_(channel(topColour, 0)), green_(channel(topColour, 8)), blue_(channel(topColour, 16)),
      redStep_(red_ - channel(bottomColour, 0), steps_),
      greenStep_(green_ - channel(bottomColour, 8), steps_),
      blueStep_(blue_ - channel(bottomColour, 16), steps_)
{
}

bool GradientBands::next(int& y0, int& y1, uint32_t& colour)
{
    if (y_ >= bottom_)
        return false;
    red_ = clipChannel(red_ - redStep_.next());
    green_ = clipChannel(green_ - greenStep_.next());
    blue_ = clipChannel(blue_ - blueStep_.next());
    y0 = y_;
    y1 = y_ + band_;
    colour = packColour(red_, green_, blue_);
    y_ += band_;
    return true;
}

int roundHalfAway(double x)
{
    return static_cast<int>(x < 0 ? x - 0.5 : x + 0.5);
}

bool bitmapRectangle(const PixelRect& client, int percent, int width, int height, PixelRect& rect)
{
    if (percent < 1)
        return false;
    if (percent >= 100) {
        if (width < 1 || height < 1)
            return false;
        rect = client;
        return true;
    }
    const double f = percent * 0.01;
    const int w = roundHalfAway(width * f);
    const int h = roundHalfAway(height * f);
    if (w < 1 || h < 1)
        return false;
    PixelRect r = client;
    centreSide(r.left, r.right, roundHalfAway((client.right - client.left) * f));
    centreSide(r.top, r.bottom, roundHalfAway((client.bottom - client.top) * f));
    if (w <= h)
        centreSide(r.left, r.right, static_cast<int>(static_cast<long long>(r.right - r.left) * w / h));
    else
        centreSide(r.top, r.bottom, static_cast<int>(static_cast<long long>(r.bottom - r.top) * h / w));
    rect = r;
    return true;
}

#include "field/TerrainPalette.h"

namespace qv {

namespace {

// trunc(value) clamped to [lo, hi], without converting values an int cannot hold.
int channel(double value, int lo, int hi) {
    if (!(value > lo))
        return lo;
    if (value >= hi)
        return hi;
    return static_cast<int>(value);
}

int coloredRed(float h) {
    if (h <= 1.0f)
        return 100;
    return channel(h <= 2.0f ? 100.0 * h : 240.0 - 20.0 * h, 100, 255);
}

int coloredGreen(float h) {
    if (h <= 0.3f)
        return 100;
    if (h <= 0.43f)
        return channel(769.2 * h - 130.8, 100, 255);
    if (h <= 1.0f)
        return channel(96.5 * h + 158.5, 100, 255);
    if (h <= 2.0f)
        return 255;
    if (h <= 5.0f)
        return channel(358.3 - 51.7 * h, 100, 255);
    return 100;
}

int coloredBlue(float h) {
    if (h <= 0.43f)
        return channel(58.1 * h + 100.0, 100, 200);
    if (h <= 1.0f)
        return channel(143.9 - 43.9 * h, 100, 200);
    return 100;
}

Argb opaque(int r, int g, int b) {
    return 0xFF000000u | static_cast<Argb>(r) << 16 | static_cast<Argb>(g) << 8 | static_cast<Argb>(b);
}

} // namespace

// Breakpoints compare in single precision, so a height stored as 0.43 counts as 0.43; the
// channel lines are worked in double.
Argb TerrainPalette::colorAt(float h) const {
    if (colored_)
        return opaque(coloredRed(h), coloredGreen(h), coloredBlue(h));
    return opaque(channel(270.0 - 40.0 * h, 0, 255), channel(270.0 - 35.0 * h, 0, 255),
                  channel(270.0 - 30.0 * h, 0, 255));
}

} // namespace qv

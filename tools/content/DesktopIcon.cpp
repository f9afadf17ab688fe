#include "DesktopIcon.h"

#include "LogoTexture.h"
#include "pictures/Canvas.h"

#include <algorithm>

namespace qv::content {

namespace {

// Badges this many pixels across or more keep the logo's own lines; smaller ones are drawn
// with their lines thickened in proportion, so the tricycle does not blur into the sky.
constexpr float kFineFrom = 48.0f;
// The fine badge is drawn once at this size and every large icon averaged down from it.
constexpr int kFineDrawnSize = 512;
// A bold badge is drawn at this many times its size, then averaged down.
constexpr int kBoldOversampling = 4;

Image resampled(const Image& image, int size) {
    Canvas canvas(size, size);
    canvas.drawImage(image, 0, 0, size, size);
    return canvas.toImage();
}

Image framed(Image badge, int size) {
    const int margin = size / 16;
    const int inner = size - 2 * margin;
    // Halving averages every source pixel; one resampling step over a larger ratio skips most.
    while (static_cast<int>(badge.width) >= 2 * inner)
        badge = resampled(badge, static_cast<int>(badge.width) / 2);
    Canvas icon(size, size);
    icon.drawImage(badge, margin, margin, inner, inner);
    return icon.toImage();
}

Image desktopIcon(int size, const Image& fineBadge) {
    const int inner = size - 2 * (size / 16);
    const float weight = kFineFrom / static_cast<float>(inner);
    if (weight <= 1.0f)
        return framed(fineBadge, size);
    return framed(drawLogoBadge(kBoldOversampling * inner, weight), size);
}

} // namespace

std::vector<Image> desktopIcons() {
    const Image fine = drawLogoBadge(kFineDrawnSize, 1.0f);
    std::vector<Image> icons;
    for (int size : kIconSizes)
        icons.push_back(desktopIcon(size, fine));
    return icons;
}

void writeDesktopIcons(OutputFolder& out, const std::string& name) {
    const std::vector<Image> icons = desktopIcons();
    for (size_t i = 0; i < kIconSizes.size(); ++i) {
        const std::string side = std::to_string(kIconSizes[i]);
        out.writePicture("hicolor/" + side + "x" + side + "/apps/" + name + ".png", icons[i]);
    }
}

} // namespace qv::content

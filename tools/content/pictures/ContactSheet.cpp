#include "pictures/ContactSheet.h"

#include "pictures/Canvas.h"

#include <algorithm>

namespace qv::content {

namespace {

constexpr int kColumns = 4;
constexpr int kBox = 256;  // picture area of a cell
constexpr int kLabel = 24; // text line under it
constexpr int kMargin = 12;
constexpr int kChecker = 8;

void drawChecker(Canvas& sheet, int left, int top, int width, int height) {
    const Paint light = Paint::solid(0xFFC8C8C8u);
    const Paint dark = Paint::solid(0xFF8C8C8Cu);
    for (int y = 0; y < height; y += kChecker) {
        for (int x = 0; x < width; x += kChecker) {
            const Vec2 from{static_cast<float>(left + x), static_cast<float>(top + y)};
            const Vec2 to{static_cast<float>(left + std::min(x + kChecker, width)),
                          static_cast<float>(top + std::min(y + kChecker, height))};
            sheet.fillRoundedRect(from, to, 0.0f, ((x + y) / kChecker) % 2 == 0 ? light : dark);
        }
    }
}

void drawCell(Canvas& sheet, const NamedImage& texture, const TextRenderer& text, int left, int top) {
    const Image& image = texture.image;
    const float scale = image.width == 0 || image.height == 0
                            ? 0.0f
                            : std::min(static_cast<float>(kBox) / static_cast<float>(image.width),
                                       static_cast<float>(kBox) / static_cast<float>(image.height));
    const int width = std::max(1, static_cast<int>(static_cast<float>(image.width) * scale));
    const int height = std::max(1, static_cast<int>(static_cast<float>(image.height) * scale));
    const int x = left + (kBox - width) / 2;
    const int y = top + (kBox - height) / 2;
    drawChecker(sheet, x, y, width, height);
    sheet.drawImage(image, x, y, width, height);
    TextStyle style;
    const std::string label =
        texture.name + "  " + std::to_string(image.width) + "x" + std::to_string(image.height);
    style.pixelHeight = text.fitHeight(label, static_cast<float>(kBox), 15.0f);
    text.drawCentred(sheet, label, static_cast<float>(left + kBox / 2), static_cast<float>(top + kBox + 18),
                     style);
}

} // namespace

Image buildContactSheet(const std::vector<NamedImage>& textures, const TextRenderer& text) {
    const int count = std::max<int>(1, static_cast<int>(textures.size()));
    const int columns = std::min(kColumns, count);
    const int rows = (count + columns - 1) / columns;
    const int cellWidth = kBox + kMargin;
    const int cellHeight = kBox + kLabel + kMargin;
    Canvas sheet(columns * cellWidth + kMargin, rows * cellHeight + kMargin, Rgba::fromArgb(0xFF30343Cu));
    for (size_t i = 0; i < textures.size(); ++i) {
        const int column = static_cast<int>(i) % columns;
        const int row = static_cast<int>(i) / columns;
        drawCell(sheet, textures[i], text, kMargin + column * cellWidth, kMargin + row * cellHeight);
    }
    return sheet.toImage();
}

} // namespace qv::content

#include "hud/OverlayText.h"

#include "platform/GraphicsDevice.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace qv {

namespace {

constexpr Argb kLetterColour = 0xFFFFFFFF;
constexpr char32_t kEllipsis[] = U"...";

// Sets render states for the overlay's own draws and puts the old values back when it goes.
class StateOverride {
  public:
    explicit StateOverride(GraphicsDevice& device) : device_(device) {
        for (Saved& s : saved_)
            s.value = device_.renderState(s.state);
        device_.setRenderState(RenderState::ZEnable, 0);
        device_.setRenderState(RenderState::AlphaBlendEnable, 1);
        device_.setRenderState(RenderState::CullMode, kCullNone);
    }
    ~StateOverride() {
        for (const Saved& s : saved_)
            device_.setRenderState(s.state, s.value);
    }
    StateOverride(const StateOverride&) = delete;
    StateOverride& operator=(const StateOverride&) = delete;

  private:
    struct Saved {
        RenderState state;
        uint32_t value = 0;
    };
    GraphicsDevice& device_;
    std::array<Saved, 3> saved_{
        {{RenderState::ZEnable}, {RenderState::AlphaBlendEnable}, {RenderState::CullMode}}};
};

// The two triangles of a quad, wound as the overlay's strips are (top-left, top-right,
// bottom-left, then bottom-left, top-right, bottom-right).
void addQuad(std::vector<OverlayVertex>& out, Vec2 from, Vec2 to, Vec2 uvFrom, Vec2 uvTo, Argb colour) {
    auto corner = [&](float x, float y, float u, float v) {
        out.push_back(OverlayVertex{x, y, 0.0f, 1.0f, colour, u, v});
    };
    corner(from.x, from.y, uvFrom.x, uvFrom.y);
    corner(to.x, from.y, uvTo.x, uvFrom.y);
    corner(from.x, to.y, uvFrom.x, uvTo.y);
    corner(from.x, to.y, uvFrom.x, uvTo.y);
    corner(to.x, from.y, uvTo.x, uvFrom.y);
    corner(to.x, to.y, uvTo.x, uvTo.y);
}

uint32_t trianglesIn(const std::vector<OverlayVertex>& list) {
    return static_cast<uint32_t>(list.size() / 3);
}

// The length of the UTF-8 sequence a lead byte starts, and the bits it carries; 0 for a byte
// that starts none.
int sequenceLength(uint8_t lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 0;
}

} // namespace

OverlayText::OverlayText(GraphicsDevice& device, const Texture& sheet) : device_(device), sheet_(sheet) {}

void OverlayText::draw(std::span<const std::u32string> lines, Vec2 topLeft, const Style& style) {
    const StateOverride states(device_);
    device_.setVertexFormat(fvf::kOverlay);
    const Vec2 panel = panelSize(lines, style);
    const float lineHeight = kLineHeight * style.scale;
    drawQuad(topLeft, panel, style.panel);
    if (style.highlighted && *style.highlighted < lines.size())
        drawQuad({topLeft.x, topLeft.y + kPadding + lineHeight * static_cast<float>(*style.highlighted)},
                 {panel.x, lineHeight}, kHighlightColour);
    glyphs_.clear();
    Vec2 pen{topLeft.x + kPadding, topLeft.y + kPadding};
    for (const std::u32string& line : lines) {
        for (size_t i = 0; i < line.size(); ++i)
            addGlyph(line[i], {pen.x + kCharWidth * style.scale * static_cast<float>(i), pen.y}, style.scale);
        pen.y += lineHeight;
    }
    if (glyphs_.empty())
        return;
    device_.setTexture(&sheet_);
    device_.drawPrimitiveUP(PrimitiveType::TriangleList, trianglesIn(glyphs_), glyphs_.data(),
                            sizeof(OverlayVertex));
    device_.setTexture(nullptr);
}

void OverlayText::shade(Argb colour) {
    const StateOverride states(device_);
    device_.setVertexFormat(fvf::kOverlay);
    // Far past any picture's edge; whatever lies outside the picture is clipped.
    drawQuad({-4000.0f, -4000.0f}, {8640.0f, 8480.0f}, colour);
}

Vec2 OverlayText::panelSize(std::span<const std::u32string> lines, const Style& style) {
    size_t widest = 0;
    for (const std::u32string& line : lines)
        widest = std::max(widest, line.size());
    const float width = kCharWidth * style.scale * static_cast<float>(widest) + 2.0f * kPadding;
    return {std::max(width, style.minWidth),
            kLineHeight * style.scale * static_cast<float>(lines.size()) + 2.0f * kPadding};
}

// The glyph's cell is centred on its advance, which starts at pen.x; the cell's top is pen.y.
void OverlayText::addGlyph(char32_t c, Vec2 pen, float scale) {
    const int cell = textsheet::cellOf(c).value_or(*textsheet::cellOf(textsheet::kReplacement));
    const float texel = kScale * scale;
    const float margin = 0.5f * texel * static_cast<float>(textsheet::kCellWidth - textsheet::kAdvance);
    const Vec2 from{pen.x - margin, pen.y};
    const Vec2 to{from.x + texel * static_cast<float>(textsheet::kCellWidth), pen.y + kLineHeight * scale};
    const float u = static_cast<float>(cell % textsheet::kColumns) / static_cast<float>(textsheet::kColumns);
    const float v = static_cast<float>(cell / textsheet::kColumns) / static_cast<float>(textsheet::kRows);
    const Vec2 uvFrom{u, v};
    const Vec2 uvTo{u + 1.0f / static_cast<float>(textsheet::kColumns),
                    v + 1.0f / static_cast<float>(textsheet::kRows)};
    addQuad(glyphs_, from, to, uvFrom, uvTo, kLetterColour);
}

void OverlayText::drawQuad(Vec2 topLeft, Vec2 size, Argb colour) {
    std::vector<OverlayVertex> quad;
    addQuad(quad, topLeft, {topLeft.x + size.x, topLeft.y + size.y}, {}, {}, colour);
    device_.setTexture(nullptr);
    device_.drawPrimitiveUP(PrimitiveType::TriangleList, trianglesIn(quad), quad.data(),
                            sizeof(OverlayVertex));
}

std::u32string OverlayText::decode(std::string_view utf8) {
    std::u32string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<uint8_t>(utf8[i]);
        const int length = sequenceLength(lead);
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = length > 0 && i + static_cast<size_t>(length) <= utf8.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<uint8_t>(utf8[i + static_cast<size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        out.push_back(valid ? c : textsheet::kReplacement);
        i += valid ? static_cast<size_t>(length) : 1;
    }
    return out;
}

std::u32string OverlayText::lastCharacters(const std::u32string& line, size_t count) {
    const std::u32string ellipsis = kEllipsis;
    if (line.size() <= count)
        return line;
    if (count <= ellipsis.size())
        return line.substr(line.size() - count);
    return ellipsis + line.substr(line.size() - (count - ellipsis.size()));
}

} // namespace qv

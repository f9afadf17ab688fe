#include "assets/DdsReader.h"

#include "core/FilePaths.h"

#include <array>
#include <bit>
#include <filesystem>
#include <system_error>
#include <utility>

namespace qv {

namespace {

constexpr size_t kMagicSize = 4;
constexpr uint32_t kHeaderSize = 124;
constexpr uint32_t kPixelFormatSize = 32;
constexpr size_t kDataOffset = kMagicSize + kHeaderSize;
constexpr uint32_t kMaxDimension = 8192;

constexpr uint32_t kPfAlphaPixels = 0x1;
constexpr uint32_t kPfFourCc = 0x4;
constexpr uint32_t kPfRgb = 0x40;

constexpr uint32_t fourCc(char a, char b, char c, char d) {
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
           static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}

constexpr uint32_t kMagic = fourCc('D', 'D', 'S', ' ');
constexpr uint32_t kDxt1 = fourCc('D', 'X', 'T', '1');
constexpr uint32_t kDxt3 = fourCc('D', 'X', 'T', '3');
constexpr uint32_t kDxt5 = fourCc('D', 'X', 'T', '5');

uint16_t readU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t readU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Byte offsets of the fields this reader uses, counted from the start of the file.
struct Offset {
    static constexpr size_t kHeaderSize = 4;
    static constexpr size_t kHeight = 12;
    static constexpr size_t kWidth = 16;
    static constexpr size_t kPitchOrLinearSize = 20;
    static constexpr size_t kPixelFormatSize = 76;
    static constexpr size_t kPixelFormatFlags = 80;
    static constexpr size_t kFourCc = 84;
    static constexpr size_t kBitCount = 88;
    static constexpr size_t kMasks = 92; // red, green, blue, alpha
};

struct Header {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t pitchOrLinearSize = 0;
    uint32_t formatFlags = 0;
    uint32_t fourCc = 0;
    uint32_t bitCount = 0;
    std::array<uint32_t, 4> masks{}; // red, green, blue, alpha
};

// Says why a file is refused, when the caller asked, and gives the refusal.
std::nullopt_t refuse(std::string* problem, std::string why) {
    if (problem != nullptr)
        *problem = std::move(why);
    return std::nullopt;
}

std::optional<Header> readHeader(const uint8_t* data, size_t size, std::string* problem) {
    if (data == nullptr || size < kDataOffset)
        return refuse(problem, "it holds " + std::to_string(size) + " bytes, less than a DDS header (" +
                                   std::to_string(kDataOffset) + ")");
    if (readU32(data) != kMagic)
        return refuse(problem, "it does not begin with \"DDS \"");
    if (readU32(data + Offset::kHeaderSize) != kHeaderSize ||
        readU32(data + Offset::kPixelFormatSize) != kPixelFormatSize)
        return refuse(problem, "its header does not give the sizes 124 and 32 a DDS header has");
    Header h;
    h.width = readU32(data + Offset::kWidth);
    h.height = readU32(data + Offset::kHeight);
    if (h.width == 0 || h.height == 0 || h.width > kMaxDimension || h.height > kMaxDimension)
        return refuse(problem, "its picture is " + std::to_string(h.width) + " x " +
                                   std::to_string(h.height) + ", not within 1 to " +
                                   std::to_string(kMaxDimension) + " a side");
    h.pitchOrLinearSize = readU32(data + Offset::kPitchOrLinearSize);
    h.formatFlags = readU32(data + Offset::kPixelFormatFlags);
    h.fourCc = readU32(data + Offset::kFourCc);
    h.bitCount = readU32(data + Offset::kBitCount);
    for (size_t i = 0; i < h.masks.size(); ++i)
        h.masks[i] = readU32(data + Offset::kMasks + 4 * i);
    return h;
}

// One colour channel of an uncompressed format: where its bits sit in the pixel word.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    // The channel's value widened to 8 bits by repeating its bit pattern (5-bit 31 -> 255).
    uint32_t extract(uint32_t pixel) const {
        if (bits == 0)
            return 0;
        uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8)
            return v >> (bits - 8);
        uint32_t out = 0;
        for (int at = 8 - bits;; at -= bits) {
            out |= at >= 0 ? v << at : v >> -at;
            if (at <= 0)
                break;
        }
        return out & 0xFFu;
    }
};

// Only contiguous masks that fit the pixel make sense; anything else marks a damaged header.
std::optional<Channel> channelFromMask(uint32_t mask, uint32_t bitCount) {
    if (mask == 0)
        return Channel{};
    if (bitCount < 32 && (mask >> bitCount) != 0)
        return std::nullopt;
    int shift = std::countr_zero(mask);
    uint32_t run = mask >> shift;
    if ((run & (run + 1)) != 0)
        return std::nullopt;
    return Channel{mask, shift, std::popcount(mask)};
}

enum class Encoding { Rgb, Dxt1, Dxt3, Dxt5 };

struct Layout {
    Encoding encoding = Encoding::Rgb;
    uint32_t unitBytes = 0; // bytes per pixel, or per 4x4 block
    uint64_t rowBytes = 0;  // one row of pixels, or of blocks
    uint64_t rows = 0;
    std::array<Channel, 4> channels{}; // red, green, blue, alpha (Rgb only)

    uint64_t topLevelBytes() const { return rowBytes * rows; }
};

std::optional<Layout> blockLayout(const Header& h, std::string* problem) {
    Layout layout;
    switch (h.fourCc) {
    case kDxt1:
        layout.encoding = Encoding::Dxt1;
        layout.unitBytes = 8;
        break;
    case kDxt3:
        layout.encoding = Encoding::Dxt3;
        layout.unitBytes = 16;
        break;
    case kDxt5:
        layout.encoding = Encoding::Dxt5;
        layout.unitBytes = 16;
        break;
    default:
        return refuse(problem, "it is compressed in a way other than DXT1, DXT3 or DXT5");
    }
    layout.rowBytes = static_cast<uint64_t>((h.width + 3) / 4) * layout.unitBytes;
    layout.rows = (h.height + 3) / 4;
    return layout;
}

std::optional<Layout> rgbLayout(const Header& h, std::string* problem) {
    if (h.bitCount != 16 && h.bitCount != 24 && h.bitCount != 32)
        return refuse(problem, "its pixels are " + std::to_string(h.bitCount) + " bits, not 16, 24 or 32");
    Layout layout;
    layout.unitBytes = h.bitCount / 8;
    layout.rowBytes = static_cast<uint64_t>(h.width) * layout.unitBytes;
    layout.rows = h.height;
    // The alpha mask counts only when the format says it carries alpha (X8R8G8B8 is opaque).
    const uint32_t alphaMask = (h.formatFlags & kPfAlphaPixels) != 0 ? h.masks[3] : 0;
    const std::array<uint32_t, 4> masks{h.masks[0], h.masks[1], h.masks[2], alphaMask};
    for (size_t i = 0; i < masks.size(); ++i) {
        auto channel = channelFromMask(masks[i], h.bitCount);
        if (!channel || (i < 3 && channel->bits == 0))
            return refuse(problem, "its colour masks do not describe red, green and blue channels");
        layout.channels[i] = *channel;
    }
    return layout;
}

std::optional<Layout> layoutOf(const Header& h, std::string* problem) {
    if ((h.formatFlags & kPfFourCc) != 0)
        return blockLayout(h, problem);
    if ((h.formatFlags & kPfRgb) != 0)
        return rgbLayout(h, problem);
    return refuse(problem, "its pixels are neither RGB nor DXT compressed");
}

// Writers disagree on this field: some leave it 0, some store the pitch of one row, some the
// size of the whole top level. Any of those is consistent; any other value is not.
bool pitchConsistent(const Header& h, const Layout& layout) {
    const uint64_t value = h.pitchOrLinearSize;
    return value == 0 || value == layout.rowBytes || value == layout.topLevelBytes();
}

uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}

// 32-bit words already laid out as 0xAARRGGBB (or 0xXXRRGGBB without alpha): every picture the
// content tool writes. Taken word by word instead of channel by channel.
bool isArgbWord(const Layout& layout) {
    const auto& [red, green, blue, alpha] = layout.channels;
    return layout.unitBytes == 4 && red.mask == 0x00FF0000u && green.mask == 0x0000FF00u &&
           blue.mask == 0x000000FFu && (alpha.mask == 0xFF000000u || alpha.bits == 0);
}

void decodeArgbWords(const Layout& layout, const uint8_t* src, Image& image) {
    const uint32_t opaque = layout.channels[3].bits == 0 ? 0xFF000000u : 0u;
    for (uint32_t& pixel : image.pixels) {
        pixel = readU32(src) | opaque;
        src += 4;
    }
}

void decodeRgb(const Layout& layout, const uint8_t* src, Image& image) {
    if (isArgbWord(layout)) {
        decodeArgbWords(layout, src, image);
        return;
    }
    const auto& [red, green, blue, alpha] = layout.channels;
    uint32_t* out = image.pixels.data();
    const size_t count = image.pixels.size();
    for (size_t i = 0; i < count; ++i, src += layout.unitBytes) {
        uint32_t word = 0;
        for (uint32_t b = 0; b < layout.unitBytes; ++b)
            word |= static_cast<uint32_t>(src[b]) << (8 * b);
        const uint32_t a = alpha.bits == 0 ? 0xFFu : alpha.extract(word);
        out[i] = argb(a, red.extract(word), green.extract(word), blue.extract(word));
    }
}

using Block = std::array<uint32_t, 16>;

// Weighted mean of two 8-bit values, rounded to nearest.
uint32_t blend(uint32_t a, uint32_t b, uint32_t wa, uint32_t wb) {
    const uint32_t total = wa + wb;
    return (wa * a + wb * b + total / 2) / total;
}

uint32_t blendColor(uint32_t c0, uint32_t c1, uint32_t w0, uint32_t w1) {
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8)
        out |= blend((c0 >> shift) & 0xFFu, (c1 >> shift) & 0xFFu, w0, w1) << shift;
    return out;
}

uint32_t expand565(uint16_t c) {
    static constexpr Channel kRed{0xF800u, 11, 5}, kGreen{0x07E0u, 5, 6}, kBlue{0x001Fu, 0, 5};
    return argb(0xFF, kRed.extract(c), kGreen.extract(c), kBlue.extract(c));
}

// The 8-byte colour half of every DXT block. DXT1 switches to three colours plus transparent
// black when the first endpoint is not greater than the second; DXT3/5 always use four.
void decodeColorBlock(const uint8_t* p, bool oneBitAlphaMode, Block& out) {
    const uint16_t e0 = readU16(p), e1 = readU16(p + 2);
    const uint32_t c0 = expand565(e0), c1 = expand565(e1);
    std::array<uint32_t, 4> palette{c0, c1, 0, 0};
    if (!oneBitAlphaMode || e0 > e1) {
        palette[2] = blendColor(c0, c1, 2, 1);
        palette[3] = blendColor(c0, c1, 1, 2);
    } else {
        palette[2] = blendColor(c0, c1, 1, 1);
        palette[3] = 0;
    }
    const uint32_t indices = readU32(p + 4);
    for (int i = 0; i < 16; ++i)
        out[i] = palette[(indices >> (2 * i)) & 3u];
}

void setAlpha(uint32_t& pixel, uint32_t alpha) {
    pixel = (pixel & 0x00FFFFFFu) | alpha << 24;
}

// DXT3: sixteen 4-bit alphas, first pixel in the low nibble.
void decodeExplicitAlpha(const uint8_t* p, Block& out) {
    for (int i = 0; i < 16; ++i) {
        const uint32_t nibble = (p[i / 2] >> (4 * (i % 2))) & 0xFu;
        setAlpha(out[i], nibble * 17);
    }
}

// DXT5: two alpha endpoints and sixteen 3-bit indices into the ramp between them.
void decodeInterpolatedAlpha(const uint8_t* p, Block& out) {
    const uint32_t a0 = p[0], a1 = p[1];
    std::array<uint32_t, 8> ramp{a0, a1, 0, 0, 0, 0, 0, 255};
    if (a0 > a1) {
        for (uint32_t k = 1; k <= 6; ++k)
            ramp[k + 1] = blend(a0, a1, 7 - k, k);
    } else {
        for (uint32_t k = 1; k <= 4; ++k)
            ramp[k + 1] = blend(a0, a1, 5 - k, k);
        ramp[6] = 0;
    }
    uint64_t bits = 0;
    for (int b = 0; b < 6; ++b)
        bits |= static_cast<uint64_t>(p[2 + b]) << (8 * b);
    for (int i = 0; i < 16; ++i)
        setAlpha(out[i], ramp[(bits >> (3 * i)) & 7u]);
}

void decodeBlock(Encoding encoding, const uint8_t* p, Block& out) {
    switch (encoding) {
    case Encoding::Dxt1:
        decodeColorBlock(p, true, out);
        break;
    case Encoding::Dxt3:
        decodeColorBlock(p + 8, false, out);
        decodeExplicitAlpha(p, out);
        break;
    case Encoding::Dxt5:
        decodeColorBlock(p + 8, false, out);
        decodeInterpolatedAlpha(p, out);
        break;
    case Encoding::Rgb:
        break;
    }
}

void decodeBlocks(const Layout& layout, const uint8_t* src, Image& image) {
    Block block{};
    for (uint32_t by = 0; by < layout.rows; ++by) {
        for (uint32_t bx = 0; bx < layout.rowBytes / layout.unitBytes; ++bx, src += layout.unitBytes) {
            decodeBlock(layout.encoding, src, block);
            // Blocks on the right and bottom edges may hang over the picture; drop the overhang.
            for (uint32_t y = 0; y < 4 && by * 4 + y < image.height; ++y)
                for (uint32_t x = 0; x < 4 && bx * 4 + x < image.width; ++x)
                    image.pixels[static_cast<size_t>(by * 4 + y) * image.width + bx * 4 + x] =
                        block[y * 4 + x];
        }
    }
}

} // namespace

std::optional<Image> decodeDds(const uint8_t* data, size_t size, std::string* problem) {
    const auto header = readHeader(data, size, problem);
    if (!header)
        return std::nullopt;
    const auto layout = layoutOf(*header, problem);
    if (!layout)
        return std::nullopt;
    if (!pitchConsistent(*header, *layout))
        return refuse(problem, "its pitch field fits neither a row nor the whole picture");
    if (layout->topLevelBytes() > size - kDataOffset)
        return refuse(problem,
                      "it is cut short: its picture needs " + std::to_string(layout->topLevelBytes()) +
                          " bytes after the header, the file holds " + std::to_string(size - kDataOffset));

    Image image;
    image.width = header->width;
    image.height = header->height;
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    const uint8_t* pixels = data + kDataOffset;
    if (layout->encoding == Encoding::Rgb)
        decodeRgb(*layout, pixels, image);
    else
        decodeBlocks(*layout, pixels, image);
    return image;
}

std::optional<Image> loadDdsFile(const std::string& path, std::string* problem) {
    const std::string resolved = resolvePath(path);
    std::error_code ec;
    const auto status = std::filesystem::status(resolved, ec);
    if (!std::filesystem::exists(status))
        return refuse(problem, "it is missing");
    // A folder opens as a stream but fails on the first read; only plain files are pictures.
    if (!std::filesystem::is_regular_file(status))
        return refuse(problem, "it is no regular file");
    std::string bytes;
    if (!readFile(resolved, bytes))
        return refuse(problem,
                      "it cannot be read or is larger than " + std::to_string(kMaxReadBytes >> 20) + " MiB");
    return decodeDds(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), problem);
}

} // namespace qv

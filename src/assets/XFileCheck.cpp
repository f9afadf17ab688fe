#include "assets/XFileCheck.h"

#include "assets/XBinaryTokens.h"
#include "assets/XMeshLayout.h"
#include "assets/XTextTokens.h"

namespace qv {

namespace {

constexpr size_t kHeaderBytes = 16; // "xof 0303txt 0032"
constexpr size_t kFormatOffset = 8;
constexpr size_t kFloatSizeOffset = 12;

std::string layoutProblem(XTokens& tokens, size_t countLimit) {
    try {
        XMeshLayout(tokens, countLimit).walk();
        return {};
    } catch (const XLayoutError& e) {
        return e.what();
    }
}

} // namespace

std::string xFileProblem(std::string_view bytes) {
    if (bytes.size() < kHeaderBytes || !bytes.starts_with("xof "))
        return "it is not a .x mesh";
    const std::string_view format = bytes.substr(kFormatOffset, 4);
    const std::string_view floatSize = bytes.substr(kFloatSizeOffset, 4);
    // Each counted element takes at least two bytes.
    const size_t countLimit = bytes.size() / 2;
    if (format != "txt " && format != "bin ")
        return "its format \"" + std::string(format) + "\" is not text or binary";
    if (floatSize != "0032" && floatSize != "0064")
        return "its float size \"" + std::string(floatSize) + "\" is not 32 or 64 bits";
    if (format == "txt ") {
        XTextTokens tokens(bytes);
        return layoutProblem(tokens, countLimit);
    }
    XBinaryTokens tokens(bytes, floatSize == "0064" ? 8 : 4);
    return layoutProblem(tokens, countLimit);
}

} // namespace qv

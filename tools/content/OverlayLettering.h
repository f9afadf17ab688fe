#pragma once

#include "ContentGenerators.h"
#include "core/Image.h"
#include "pictures/TextRenderer.h"

namespace qv::content {

// The monospaced face of the overlay's run-time lettering.
inline constexpr const char* kMonoFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";

// tex/text.dds: every glyph the sheet holds (assets/TextSheet.h), white with a thin dark
// outline, sized so the font's advance is the sheet's.
Image textSheet(const TextRenderer& mono);

void writeOverlayLettering(GeneratorContext& context);

} // namespace qv::content

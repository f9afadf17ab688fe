#pragma once

#include "platform/RenderTypes.h"

// Plain colours the pixel tests draw with and look for.
namespace qv::test::colour {

constexpr Argb kBlack = 0xFF000000;
constexpr Argb kRed = 0xFFFF0000;
constexpr Argb kGreen = 0xFF00FF00;
constexpr Argb kBlue = 0xFF0000FF;
constexpr Argb kWhite = 0xFFFFFFFF;

} // namespace qv::test::colour

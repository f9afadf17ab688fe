#pragma once

#include "OutputFolder.h"
#include "core/Image.h"

#include <array>
#include <string>
#include <vector>

namespace qv::content {

// The game's icon for menus and launchers, at the icon theme's usual sizes: the logo's badge
// with the tricycle on a transparent square, a sixteenth of the size clear on every side.
constexpr std::array<int, 7> kIconSizes{16, 24, 32, 48, 64, 128, 256};

// One picture for each of kIconSizes, in that order.
std::vector<Image> desktopIcons();

// Writes every size as hicolor/NxN/apps/NAME.png below the folder, the icon theme's layout.
void writeDesktopIcons(OutputFolder& out, const std::string& name);

} // namespace qv::content

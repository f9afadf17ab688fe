#pragma once

#include "OutputFolder.h"

namespace qv::content {

// Writes the four fields (Field0.dat .. Field3.dat) and their mini-map pictures
// (tex/map0.dds .. tex/map3.dds).
void writeTerrains(OutputFolder& out);

} // namespace qv::content

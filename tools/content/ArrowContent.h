#pragma once

#include "ContentGenerators.h"

namespace qv::content {

// What points the way to the goal: the arrow over the rider (x/arrow.x) and the marker on the
// goal (tex/target.dds).
void writeArrowContent(GeneratorContext& context);

} // namespace qv::content

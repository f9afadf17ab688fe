#pragma once

#include "OutputFolder.h"
#include "pictures/TextRenderer.h"
#include "sound/Synth.h"

#include <functional>
#include <string>
#include <vector>

namespace qv::content {

// What a generator gets to make its files with.
struct GeneratorContext {
    OutputFolder& out;
    const TextRenderer& text;
    const Synth& synth;
};

// One named step of the content build, writing one or more files.
struct ContentGenerator {
    std::string name;
    std::function<void(GeneratorContext&)> run;
};

// Every generator, in the order they run. New content is added here.
std::vector<ContentGenerator> contentGenerators();

} // namespace qv::content

#pragma once

#include "ContentGenerators.h"
#include "assets/MeshData.h"
#include "support/TempDir.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

namespace qv::test {

// A throw-away Data folder holding what the given content generators write, for tests that
// check generated files the way the game reads them.
class GeneratedContent {
  public:
    using Generator = std::function<void(content::GeneratorContext&)>;

    explicit GeneratedContent(std::initializer_list<Generator> generators);

    std::string file(const std::string& name) const { return dir_.file(name); }
    // A mesh under x/, loaded as the game loads it; a failed load fails the test.
    MeshData mesh(const std::string& name) const;

  private:
    TempDir dir_;
};

} // namespace qv::test

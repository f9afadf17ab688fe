#include "BuildPaths.h"

namespace qv::test {

std::filesystem::path sourceDir() {
    return QORVEX_SOURCE_DIR;
}

std::filesystem::path contentTool() {
    return QORVEX_CONTENT_TOOL;
}

} // namespace qv::test

#include "BuildPaths.h"

namespace qv::test {

std::filesystem::path sourceDir() {
    return QORVEX_SOURCE_DIR;
}

std::filesystem::path contentTool() {
    return QORVEX_CONTENT_TOOL;
}

std::filesystem::path gameBinary() {
    return QORVEX_BINARY;
}

} // namespace qv::test

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

std::filesystem::path buildDir() {
    return QORVEX_BUILD_DIR;
}

std::filesystem::path contentDir() {
    return QORVEX_CONTENT_DIR;
}

std::filesystem::path cmakeCommand() {
    return QORVEX_CMAKE;
}

std::filesystem::path fileSystemFaultsLibrary() {
    return QORVEX_FS_FAULTS;
}

} // namespace qv::test

#include "app/BuildInfo.h"

namespace qv {

const char* BuildInfo::version() {
    return QORVEX_VERSION;
}

const char* BuildInfo::contentFromBinary() {
    return QORVEX_CONTENT_FROM_BINARY;
}

} // namespace qv

// The headless runner's key script: a bad line is a FatalError naming it, nothing worse.
#include "FuzzInput.h"
#include "core/FatalError.h"
#include "platform/ScriptedKeySource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        auto keys = qv::ScriptedKeySource::fromText(std::string(qv::fuzz::bytesOf(data, size)));
        keys.advanceTo(1000000);
        (void)keys.padState();
    } catch (const qv::FatalError&) {
    }
    return 0;
}

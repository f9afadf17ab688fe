// The settings file: an edit of any text is made once; making it again changes nothing.
#include "FuzzInput.h"
#include "app/SettingsEditor.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(qv::fuzz::bytesOf(data, size));
    qv::SettingsEditor editor(text);
    editor.set("SOUND", "MUSIC", "40");
    editor.set("CONTROLS", "PEDAL", "F, C, PAD_A");
    qv::SettingsEditor again(editor.text());
    again.set("SOUND", "MUSIC", "40");
    again.set("CONTROLS", "PEDAL", "F, C, PAD_A");
    if (again.text() != editor.text())
        std::abort();
    return 0;
}

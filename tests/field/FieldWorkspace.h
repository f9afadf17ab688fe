#pragma once

#include "app/Settings.h"
#include "assets/ContentCache.h"
#include "field/Field.h"
#include "game/GameState.h"
#include "platform/RecordingRenderDevice.h"
#include "support/TempDir.h"

#include <functional>
#include <memory>
#include <string>

namespace qv::test {

using HeightFunction = std::function<float(int i, int j)>;

// The bytes of a field file whose sample at grid point (i, j) is height(i, j).
std::string fieldFileBytes(const HeightFunction& height);

// The bytes of an uncompressed 32-bit DDS picture of the given size, every pixel one colour.
std::string ddsBytes(uint32_t width, uint32_t height, uint32_t argb);

// A throw-away working directory holding Pedalon.ini and Data/, with the program state and a
// recording device, from which a real Field is built.
class FieldWorkspace {
  public:
    FieldWorkspace();

    void write(const std::string& name, const std::string& bytes) const { dir_.write(name, bytes); }
    void writeIni(const std::string& text) const { write("Pedalon.ini", text); }
    void writeField(uint32_t digit, const std::string& bytes) const;
    void writeField(const HeightFunction& height) const { writeField(0, fieldFileBytes(height)); }
    void writeGroundTexture() const;
    // Field files are found relative to the working directory, so the workspace enters it.
    std::unique_ptr<Field> build();

    GameState state;
    RecordingRenderDevice device{RecordingRenderDevice::Vertices::Keep};
    ContentCache content{ContentCache::Keep::Nothing}; // the files as the test last wrote them

  private:
    TempDir dir_;
    ScopedWorkingDir cwd_;
};

} // namespace qv::test

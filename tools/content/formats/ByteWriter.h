#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace qv::content {

// Appends little-endian fields to a byte buffer, the layout of every binary file we write.
class ByteWriter {
  public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}

    void u16(uint16_t v) {
        out_.push_back(static_cast<uint8_t>(v & 0xFFu));
        out_.push_back(static_cast<uint8_t>(v >> 8));
    }
    void u32(uint32_t v) {
        u16(static_cast<uint16_t>(v & 0xFFFFu));
        u16(static_cast<uint16_t>(v >> 16));
    }
    void tag(std::string_view fourCharacters) {
        out_.insert(out_.end(), fourCharacters.begin(), fourCharacters.end());
    }
    void zeros(size_t count) { out_.insert(out_.end(), count, 0); }

  private:
    std::vector<uint8_t>& out_;
};

} // namespace qv::content

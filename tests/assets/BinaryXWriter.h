#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace qv::test {

// Writes the tokens of a binary .x file, after its header ("xof 0303bin 0032", or with
// doubles "... 0064").
class BinaryXWriter {
  public:
    explicit BinaryXWriter(bool doubles = false);
    void name(const std::string& text);
    void string(const std::string& text); // with the two-byte terminator the parser skips
    void open() { word(0x0A); }
    void close() { word(0x0B); }
    void integer(uint32_t value); // a lone integer token
    void ints(std::initializer_list<uint32_t> values);
    void ints(const std::vector<uint32_t>& values);
    void floats(const std::vector<float>& values);
    void word(uint16_t value);
    void dword(uint32_t value);
    const std::string& bytes() const { return bytes_; }

  private:
    bool doubles_;
    std::string bytes_;
};

} // namespace qv::test

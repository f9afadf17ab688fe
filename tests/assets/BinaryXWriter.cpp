#include "BinaryXWriter.h"

#include <cstring>

namespace qv::test {

BinaryXWriter::BinaryXWriter(bool doubles)
    : doubles_(doubles), bytes_(doubles ? "xof 0303bin 0064" : "xof 0303bin 0032") {}

void BinaryXWriter::word(uint16_t value) {
    bytes_ += static_cast<char>(value & 0xFF);
    bytes_ += static_cast<char>(value >> 8);
}

void BinaryXWriter::dword(uint32_t value) {
    word(static_cast<uint16_t>(value));
    word(static_cast<uint16_t>(value >> 16));
}

void BinaryXWriter::name(const std::string& text) {
    word(0x01);
    dword(static_cast<uint32_t>(text.size()));
    bytes_ += text;
}

void BinaryXWriter::string(const std::string& text) {
    word(0x02);
    dword(static_cast<uint32_t>(text.size()));
    bytes_ += text;
    word(0x14);
}

void BinaryXWriter::integer(uint32_t value) {
    word(0x03);
    dword(value);
}

void BinaryXWriter::ints(std::initializer_list<uint32_t> values) {
    ints(std::vector<uint32_t>(values));
}

void BinaryXWriter::ints(const std::vector<uint32_t>& values) {
    word(0x06);
    dword(static_cast<uint32_t>(values.size()));
    for (const uint32_t v : values)
        dword(v);
}

void BinaryXWriter::floats(const std::vector<float>& values) {
    word(0x07);
    dword(static_cast<uint32_t>(values.size()));
    for (const float v : values) {
        if (doubles_) {
            const double wide = v;
            uint64_t bits = 0;
            std::memcpy(&bits, &wide, sizeof bits);
            dword(static_cast<uint32_t>(bits));
            dword(static_cast<uint32_t>(bits >> 32));
        } else {
            uint32_t bits = 0;
            std::memcpy(&bits, &v, sizeof bits);
            dword(bits);
        }
    }
}

} // namespace qv::test

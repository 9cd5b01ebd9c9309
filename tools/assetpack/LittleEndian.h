#pragma once
// Little-endian writers shared by the file formats the packer produces.
#include <cstdint>
#include <vector>

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFFu);
    Put16(out, v >> 16);
}

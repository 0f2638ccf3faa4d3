#pragma once

// Hand-built byte images for the file-format tests: values are placed at the
// offsets of the published layouts, independently of the record writers.

#include <cstdint>
#include <cstring>
#include <vector>

namespace qvr::test {

inline void put16(std::vector<uint8_t>& b, std::size_t at, int v)
{
    auto u = static_cast<uint16_t>(v);
    b.at(at) = static_cast<uint8_t>(u & 0xFF);
    b.at(at + 1) = static_cast<uint8_t>(u >> 8);
}

inline void put32(std::vector<uint8_t>& b, std::size_t at, long v)
{
    auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        b.at(at + i) = static_cast<uint8_t>((u >> (8 * i)) & 0xFF);
}

inline void putFloat(std::vector<uint8_t>& b, std::size_t at, float v)
{
    uint32_t u;
    std::memcpy(&u, &v, 4);
    put32(b, at, static_cast<long>(u));
}

inline int get16(const std::vector<uint8_t>& b, std::size_t at)
{
    return static_cast<int16_t>(static_cast<uint16_t>(b.at(at) | (b.at(at + 1) << 8)));
}

} // namespace qvr::test

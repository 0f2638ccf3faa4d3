#include "core/bytes.h"

#include <bit>
#include <cstring>

#include "core/error.h"

namespace qvr {

const uint8_t* ByteReader::take(std::size_t n)
{
    if (n > remaining())
        fail("ファイルが " + std::to_string(bytes_.size()) + " バイトで終わっていて、あと " +
             std::to_string(n - remaining()) + " バイト足りません（途中で切れています）");
    const uint8_t* p = bytes_.data() + pos_;
    pos_ += n;
    return p;
}

int16_t ByteReader::i16()
{
    const uint8_t* p = take(2);
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

int32_t ByteReader::i32()
{
    const uint8_t* p = take(4);
    uint32_t v = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                 (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
    return static_cast<int32_t>(v);
}

float ByteReader::f32()
{
    return std::bit_cast<float>(static_cast<uint32_t>(i32()));
}

std::string ByteReader::rawText()
{
    std::size_t at = pos_;
    int16_t length = i16();
    if (length < 0)
        failAt(at, "文字列の長さが " + std::to_string(length) +
                       " になっています（ありえない長さです）");
    const uint8_t* p = take(static_cast<std::size_t>(length));
    return std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(length));
}

std::string ByteReader::where() const
{
    return whereAt(pos_);
}

std::string ByteReader::whereAt(std::size_t position) const
{
    std::string s = file_ + "（";
    if (!context_.empty())
        s += context_ + "、";
    return s + std::to_string(position) + " バイト目）";
}

void ByteReader::fail(const std::string& what) const
{
    failAt(pos_, what);
}

void ByteReader::failAt(std::size_t position, const std::string& what) const
{
    throw GameError(whereAt(position) + ": " + what);
}

void ByteWriter::i16(int16_t v)
{
    auto u = static_cast<uint16_t>(v);
    out_.push_back(static_cast<uint8_t>(u & 0xFF));
    out_.push_back(static_cast<uint8_t>(u >> 8));
}

void ByteWriter::i32(int32_t v)
{
    auto u = static_cast<uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8)
        out_.push_back(static_cast<uint8_t>((u >> shift) & 0xFF));
}

void ByteWriter::f32(float v)
{
    i32(static_cast<int32_t>(std::bit_cast<uint32_t>(v)));
}

void ByteWriter::rawText(std::string_view bytes)
{
    if (bytes.size() > 32767)
        throw GameError(std::to_string(bytes.size()) + " バイトの文字列は長すぎて書き込めません");
    i16(static_cast<int16_t>(bytes.size()));
    out_.insert(out_.end(), bytes.begin(), bytes.end());
}

} // namespace qvr

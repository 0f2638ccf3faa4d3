#pragma once

// Little-endian field-by-field readers and writers for the data files. The
// reader checks every length against what is left, so a short or damaged file
// becomes a GameError that names the file and the place, never a read past
// the end of the buffer.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/bounded.h"

namespace qvr {

class ByteReader {
public:
    ByteReader(std::span<const uint8_t> bytes, std::string fileName)
        : bytes_(bytes), file_(std::move(fileName))
    {
    }

    // What is being read, for error messages ("モンスター 17 番").
    void setContext(std::string context) { context_ = std::move(context); }

    int16_t i16();
    int32_t i32();
    float f32();
    // A text field: a 2-byte length, then that many bytes of Shift_JIS.
    // Returns the raw bytes; callers decode them.
    std::string rawText();

    template <typename T, int Lo, int Hi> void read(Bounded<T, Lo, Hi>& table)
    {
        for (auto& v : table)
            readOne(v);
    }
    template <typename T, std::size_t N> void read(std::array<T, N>& values)
    {
        for (auto& v : values)
            readOne(v);
    }
    template <typename T, int N0, int N1> void read(Grid2<T, N0, N1>& grid)
    {
        for (int k = 0; k < grid.count; ++k)
            readOne(grid.flat(k));
    }
    template <typename T, int N0, int N1, int N2> void read(Grid3<T, N0, N1, N2>& grid)
    {
        for (int k = 0; k < grid.count; ++k)
            readOne(grid.flat(k));
    }

    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    const std::string& fileName() const { return file_; }
    std::string where() const; // "QVR2.DAT（モンスター 17 番、4711 バイト目）"
    [[noreturn]] void fail(const std::string& what) const;
    // For a fault found after reading on: names the byte where it stands.
    [[noreturn]] void failAt(std::size_t position, const std::string& what) const;

private:
    void readOne(int16_t& v) { v = i16(); }
    void readOne(int32_t& v) { v = i32(); }
    const uint8_t* take(std::size_t n);
    std::string whereAt(std::size_t position) const;

    std::span<const uint8_t> bytes_;
    std::size_t pos_ = 0;
    std::string file_;
    std::string context_;
};

class ByteWriter {
public:
    void i16(int16_t v);
    void i32(int32_t v);
    void f32(float v);
    // Writes a 2-byte length and the bytes; a text longer than a length can
    // say is refused rather than cut.
    void rawText(std::string_view bytes);

    template <typename T, int Lo, int Hi> void write(const Bounded<T, Lo, Hi>& table)
    {
        for (const auto& v : table)
            writeOne(v);
    }
    template <typename T, std::size_t N> void write(const std::array<T, N>& values)
    {
        for (const auto& v : values)
            writeOne(v);
    }
    template <typename T, int N0, int N1> void write(const Grid2<T, N0, N1>& grid)
    {
        for (int k = 0; k < grid.count; ++k)
            writeOne(grid.flat(k));
    }
    template <typename T, int N0, int N1, int N2> void write(const Grid3<T, N0, N1, N2>& grid)
    {
        for (int k = 0; k < grid.count; ++k)
            writeOne(grid.flat(k));
    }

    std::vector<uint8_t>& bytes() { return out_; }
    std::size_t size() const { return out_.size(); }

private:
    void writeOne(int16_t v) { i16(v); }
    void writeOne(int32_t v) { i32(v); }
    std::vector<uint8_t> out_;
};

} // namespace qvr

#pragma once

// Fixed-size tables with declared bounds. The game's tables keep an element 0
// and index from a lower bound that is not always 0 (effect chances run
// 15..33), so every access is checked against the declared range and a stray
// index becomes an IndexError instead of undefined behaviour.

#include <array>
#include <cstddef>
#include <string>

#include "core/error.h"

namespace qvr {

[[noreturn]] void throwIndexError(long index, long lo, long hi);

template <typename T, int Lo, int Hi>
class Bounded {
    static_assert(Hi >= Lo);

public:
    static constexpr int lo = Lo;
    static constexpr int hi = Hi;
    static constexpr int count = Hi - Lo + 1;

    T& operator[](long i) { return v_[slot(i)]; }
    const T& operator[](long i) const { return v_[slot(i)]; }

    static bool contains(long i) { return i >= Lo && i <= Hi; }

    auto begin() { return v_.begin(); }
    auto end() { return v_.end(); }
    auto begin() const { return v_.begin(); }
    auto end() const { return v_.end(); }

    void fill(const T& value) { v_.fill(value); }
    bool operator==(const Bounded&) const = default;

private:
    static std::size_t slot(long i)
    {
        if (i < Lo || i > Hi)
            throwIndexError(i, Lo, Hi);
        return static_cast<std::size_t>(i - Lo);
    }
    std::array<T, count> v_{};
};

// A two-dimensional table stored first index fastest, as the data files keep it.
template <typename T, int N0, int N1>
class Grid2 {
public:
    static constexpr int count = N0 * N1;

    T& operator()(long i, long j) { return v_[slot(i, j)]; }
    const T& operator()(long i, long j) const { return v_[slot(i, j)]; }

    // Element k of the flat run, in file order.
    T& flat(long k) { return v_[flatSlot(k)]; }
    const T& flat(long k) const { return v_[flatSlot(k)]; }

    void fill(const T& value) { v_.fill(value); }
    bool operator==(const Grid2&) const = default;

private:
    static std::size_t slot(long i, long j)
    {
        if (i < 0 || i >= N0)
            throwIndexError(i, 0, N0 - 1);
        if (j < 0 || j >= N1)
            throwIndexError(j, 0, N1 - 1);
        return static_cast<std::size_t>(i + N0 * j);
    }
    static std::size_t flatSlot(long k)
    {
        if (k < 0 || k >= count)
            throwIndexError(k, 0, count - 1);
        return static_cast<std::size_t>(k);
    }
    std::array<T, count> v_{};
};

// A three-dimensional table stored first index fastest, then the second.
template <typename T, int N0, int N1, int N2>
class Grid3 {
public:
    static constexpr int count = N0 * N1 * N2;

    T& operator()(long i, long j, long k) { return v_[slot(i, j, k)]; }
    const T& operator()(long i, long j, long k) const { return v_[slot(i, j, k)]; }

    T& flat(long n) { return v_[flatSlot(n)]; }
    const T& flat(long n) const { return v_[flatSlot(n)]; }

    void fill(const T& value) { v_.fill(value); }
    bool operator==(const Grid3&) const = default;

private:
    static std::size_t slot(long i, long j, long k)
    {
        if (i < 0 || i >= N0)
            throwIndexError(i, 0, N0 - 1);
        if (j < 0 || j >= N1)
            throwIndexError(j, 0, N1 - 1);
        if (k < 0 || k >= N2)
            throwIndexError(k, 0, N2 - 1);
        return static_cast<std::size_t>(i + N0 * (j + N1 * k));
    }
    static std::size_t flatSlot(long n)
    {
        if (n < 0 || n >= count)
            throwIndexError(n, 0, count - 1);
        return static_cast<std::size_t>(n);
    }
    std::array<T, count> v_{};
};

} // namespace qvr

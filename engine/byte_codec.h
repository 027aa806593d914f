#pragma once
// Compact binary encoding for the game's own files (input tapes, replays):
// unsigned numbers as base-128 varints, signed ones zig-zagged, text as its
// length and bytes, 64-bit values as eight little-endian bytes. The reader
// never reads past its input: every read says whether it succeeded.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline void bytes_put_varint(Bytes& out, std::uint64_t v) {
    while (v >= 0x80) {
        out.push_back(static_cast<std::uint8_t>(v | 0x80));
        v >>= 7;
    }
    out.push_back(static_cast<std::uint8_t>(v));
}

inline void bytes_put_signed(Bytes& out, std::int64_t v) {
    bytes_put_varint(out,
                     (static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63));
}

inline void bytes_put_u64(Bytes& out, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline void bytes_put_string(Bytes& out, const std::string& text) {
    bytes_put_varint(out, text.size());
    out.insert(out.end(), text.begin(), text.end());
}

inline void bytes_put_double(Bytes& out, double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    bytes_put_u64(out, bits);
}

/// 64-bit FNV-1a of a run of bytes, continued from `hash`.
inline std::uint64_t bytes_hash(const std::uint8_t* data, std::size_t size,
                                std::uint64_t hash = 14695981039346656037ull) {
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= data[i];
        hash *= 1099511628211ull;
    }
    return hash;
}

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size, std::size_t at = 0)
        : data_(data), size_(size), at_(at) {}
    explicit ByteReader(const Bytes& bytes, std::size_t at = 0)
        : ByteReader(bytes.data(), bytes.size(), at) {}

    bool done() const { return at_ >= size_; }
    std::size_t at() const { return at_; }
    std::size_t left() const { return size_ - at_; }
    /// The next byte, not taken; 0 at the end.
    std::uint8_t peek() const { return done() ? 0 : data_[at_]; }

    bool byte(std::uint8_t* v) {
        if (done()) return false;
        *v = data_[at_++];
        return true;
    }
    bool varint(std::uint64_t* v) {
        *v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            std::uint8_t b = 0;
            if (!byte(&b)) return false;
            *v |= static_cast<std::uint64_t>(b & 0x7F) << shift;
            if ((b & 0x80) == 0) return true;
        }
        return false;
    }
    /// An unsigned number no larger than `limit`.
    bool up_to(std::uint64_t limit, std::uint64_t* v) { return varint(v) && *v <= limit; }
    bool int_up_to(int limit, int* v) {
        std::uint64_t u = 0;
        if (!up_to(static_cast<std::uint64_t>(limit), &u)) return false;
        *v = static_cast<int>(u);
        return true;
    }
    bool signed_value(std::int64_t* v) {
        std::uint64_t u = 0;
        if (!varint(&u)) return false;
        *v = static_cast<std::int64_t>(u >> 1) ^ -static_cast<std::int64_t>(u & 1);
        return true;
    }
    /// A signed number within [-limit, limit].
    bool int_within(int limit, int* v) {
        std::int64_t s = 0;
        if (!signed_value(&s) || s < -limit || s > limit) return false;
        *v = static_cast<int>(s);
        return true;
    }
    bool u64(std::uint64_t* v) {
        if (left() < 8) return false;
        *v = 0;
        for (int i = 0; i < 8; ++i) *v |= static_cast<std::uint64_t>(data_[at_ + i]) << (8 * i);
        at_ += 8;
        return true;
    }
    bool real(double* v) {
        std::uint64_t bits = 0;
        if (!u64(&bits)) return false;
        std::memcpy(v, &bits, sizeof bits);
        return true;
    }
    /// Text of at most `limit` bytes.
    bool string(std::size_t limit, std::string* text) {
        std::uint64_t n = 0;
        if (!up_to(limit, &n) || n > left()) return false;
        text->assign(reinterpret_cast<const char*>(data_ + at_), static_cast<std::size_t>(n));
        at_ += static_cast<std::size_t>(n);
        return true;
    }
    /// `n` raw bytes.
    bool raw(std::size_t n, Bytes* out) {
        if (n > left()) return false;
        out->assign(data_ + at_, data_ + at_ + n);
        at_ += n;
        return true;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_;
};

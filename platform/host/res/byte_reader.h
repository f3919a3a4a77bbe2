// A bounds-checked little-endian reader over a byte span, shared by the
// resource decoders. Every read names the field it reads, so that a refusal
// says what was wrong and where; nothing is read outside the span.
#pragma once

#include "res/format.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace host::res {

class ByteReader {
public:
    // `context` prefixes every message ("dialog", "version", ...).
    ByteReader(Bytes bytes, std::string context, std::size_t pos = 0)
        : m_bytes(bytes), m_context(std::move(context)), m_pos(pos)
    {}

    std::size_t pos() const { return m_pos; }
    std::size_t remaining() const { return m_pos <= m_bytes.size() ? m_bytes.size() - m_pos : 0; }
    void Seek(std::size_t pos) { m_pos = pos; }

    [[noreturn]] void Fail(const std::string& field, const std::string& problem) const;
    [[noreturn]] void FailAt(std::size_t at, const std::string& field, const std::string& problem) const;

    void Need(std::size_t n, const std::string& field) const;
    std::uint8_t U8(const std::string& field);
    std::uint16_t U16(const std::string& field);
    std::uint32_t U32(const std::string& field);
    std::int16_t I16(const std::string& field) { return static_cast<std::int16_t>(U16(field)); }
    std::int32_t I32(const std::string& field) { return static_cast<std::int32_t>(U32(field)); }
    Bytes Take(std::size_t n, const std::string& field);
    void Skip(std::size_t n, const std::string& field) { Take(n, field); }

    // Moves to the next multiple of 4 from the start of the span. The
    // padding itself must lie inside the span.
    void Align4(const std::string& field);

    // A NUL-terminated UTF-16 string; the terminator is consumed, not kept.
    std::u16string Sz(const std::string& field);
    // sz_Or_Ord: 0xFFFF + ordinal, or a string (a lone 0x0000 is the empty string).
    ResId SzOrOrd(const std::string& field);

private:
    Bytes m_bytes;
    std::string m_context;
    std::size_t m_pos;
};

std::string Hex(std::uint64_t value);

}  // namespace host::res

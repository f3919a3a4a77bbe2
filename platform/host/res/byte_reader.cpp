#include "res/byte_reader.h"

#include <cstdio>

namespace host::res {

std::string Hex(std::uint64_t value)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%llX", static_cast<unsigned long long>(value));
    return buf;
}

void ByteReader::Fail(const std::string& field, const std::string& problem) const { FailAt(m_pos, field, problem); }

void ByteReader::FailAt(std::size_t at, const std::string& field, const std::string& problem) const
{
    throw ResError(m_context + ": " + field + " at offset " + Hex(at) + ": " + problem);
}

void ByteReader::Need(std::size_t n, const std::string& field) const
{
    if (n > remaining())
        Fail(field, "needs " + std::to_string(n) + " bytes, " + std::to_string(remaining()) + " left (truncated)");
}

std::uint8_t ByteReader::U8(const std::string& field)
{
    Need(1, field);
    return m_bytes[m_pos++];
}

std::uint16_t ByteReader::U16(const std::string& field)
{
    Need(2, field);
    const auto v = static_cast<std::uint16_t>(m_bytes[m_pos] | (m_bytes[m_pos + 1] << 8));
    m_pos += 2;
    return v;
}

std::uint32_t ByteReader::U32(const std::string& field)
{
    Need(4, field);
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | m_bytes[m_pos + i];
    m_pos += 4;
    return v;
}

Bytes ByteReader::Take(std::size_t n, const std::string& field)
{
    Need(n, field);
    Bytes out = m_bytes.subspan(m_pos, n);
    m_pos += n;
    return out;
}

void ByteReader::Align4(const std::string& field)
{
    const std::size_t pad = (4 - m_pos % 4) % 4;
    Skip(pad, field + " padding");
}

std::u16string ByteReader::Sz(const std::string& field)
{
    const std::size_t start = m_pos;
    std::u16string out;
    for (;;) {
        if (remaining() < 2) FailAt(start, field, "string has no terminating NUL");
        const std::uint16_t unit = U16(field);
        if (unit == 0) return out;
        out.push_back(static_cast<char16_t>(unit));
    }
}

ResId ByteReader::SzOrOrd(const std::string& field)
{
    Need(2, field);
    const std::uint16_t first = static_cast<std::uint16_t>(m_bytes[m_pos] | (m_bytes[m_pos + 1] << 8));
    if (first == 0xFFFF) {
        m_pos += 2;
        return ResId::Ordinal(U16(field + " ordinal"));
    }
    return ResId::Name(Sz(field));
}

}  // namespace host::res

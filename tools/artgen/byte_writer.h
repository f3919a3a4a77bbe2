// Little-endian byte output for the file formats artgen writes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace artgen {

class CByteWriter {
public:
    void U8(std::uint8_t v) { m_bytes.push_back(v); }
    void U16(std::uint16_t v);
    void U32(std::uint32_t v);
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void Zeros(std::size_t n) { m_bytes.insert(m_bytes.end(), n, 0); }

    std::size_t Size() const { return m_bytes.size(); }
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

    // Writes everything to path; throws std::runtime_error naming the path.
    void Save(const std::filesystem::path& path) const;

private:
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace artgen

// The records of a compiled .res, split and put back together byte for byte,
// for making damaged resources out of the real ones. Only the record frame
// (DataSize, HeaderSize, an ordinal TYPE) is read; the rest of a header is
// copied as it stands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace hardening {

using ByteVector = std::vector<std::uint8_t>;

struct ResRecord {
    ByteVector header;  // HeaderSize bytes, DataSize first
    ByteVector data;
    // The ordinal type, or 0 for a named type.
    std::uint16_t Type() const
    {
        if (header.size() < 12 || header[8] != 0xFF || header[9] != 0xFF) return 0;
        return static_cast<std::uint16_t>(header[10] | (header[11] << 8));
    }
    // The ordinal name, or 0 for a named resource (only after an ordinal type).
    std::uint16_t Name() const
    {
        if (header.size() < 16 || Type() == 0 || header[12] != 0xFF || header[13] != 0xFF) return 0;
        return static_cast<std::uint16_t>(header[14] | (header[15] << 8));
    }
};

inline std::uint32_t Dword(const ByteVector& b, std::size_t at)
{
    std::uint32_t v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

inline ByteVector ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return ByteVector(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The records in file order, the marker record first. A frame that runs
// past the end ends the list.
inline std::vector<ResRecord> SplitRecords(const ByteVector& all)
{
    std::vector<ResRecord> out;
    std::size_t at = 0;
    while (at + 8 <= all.size()) {
        const std::uint64_t dataSize = Dword(all, at), headerSize = Dword(all, at + 4);
        if (headerSize < 8 || at + headerSize + dataSize > all.size()) break;
        ResRecord r;
        r.header.assign(all.begin() + static_cast<long>(at), all.begin() + static_cast<long>(at + headerSize));
        const auto data = all.begin() + static_cast<long>(at + headerSize);
        r.data.assign(data, data + static_cast<long>(dataSize));
        out.push_back(std::move(r));
        at = static_cast<std::size_t>((at + headerSize + dataSize + 3) & ~std::uint64_t{3});
    }
    return out;
}

// The records as a .res: each header's DataSize set from its data, each
// record padded to a DWORD.
inline ByteVector JoinRecords(const std::vector<ResRecord>& records)
{
    ByteVector out;
    for (const ResRecord& r : records) {
        ByteVector header = r.header;
        const auto size = static_cast<std::uint32_t>(r.data.size());
        std::memcpy(header.data(), &size, 4);
        out.insert(out.end(), header.begin(), header.end());
        out.insert(out.end(), r.data.begin(), r.data.end());
        out.resize((out.size() + 3) & ~std::size_t{3}, 0);
    }
    return out;
}

}  // namespace hardening

// The .res container: RESOURCEHEADER records, each followed by its data.

#include "res/byte_reader.h"
#include "res/format.h"

namespace host::res {
namespace {

// In a .res a type or name is 0xFFFF + ordinal or a non-empty string; the
// "none" form of dialog templates does not exist here.
ResId ReadResName(ByteReader& c, const std::string& field)
{
    const std::size_t at = c.pos();
    ResId id = c.SzOrOrd(field);
    if (!id.IsOrdinal() && id.name().empty()) c.FailAt(at, field, "empty name");
    return id;
}

char16_t FoldAscii(char16_t u) { return (u >= u'a' && u <= u'z') ? static_cast<char16_t>(u - 32) : u; }

// Resource names match without regard to case, as resource compilers store
// them upper-cased; only ASCII letters are folded.
bool SameId(const ResId& a, const ResId& b)
{
    if (a.IsOrdinal() != b.IsOrdinal()) return false;
    if (a.IsOrdinal()) return a.ordinal() == b.ordinal();
    const auto& x = a.name();
    const auto& y = b.name();
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i)
        if (FoldAscii(x[i]) != FoldAscii(y[i])) return false;
    return true;
}

}  // namespace

ResFile ResFile::Parse(Bytes bytes)
{
    if (bytes.empty()) throw ResError("res file: empty (no marker record)");
    ResFile file;
    std::size_t start = 0;
    for (std::size_t index = 0; start < bytes.size(); ++index) {
        const std::string rec = "record " + std::to_string(index);
        ByteReader c(bytes, "res file", start);
        const std::uint32_t dataSize = c.U32(rec + " DataSize");
        const std::uint32_t headerSize = c.U32(rec + " HeaderSize");
        if (headerSize % 4 != 0)
            c.FailAt(start + 4, rec + " HeaderSize", std::to_string(headerSize) + " is not DWORD-aligned");
        ResEntry e;
        e.type = ReadResName(c, rec + " TYPE");
        e.name = ReadResName(c, rec + " NAME");
        c.Align4(rec + " NAME");
        e.dataVersion = c.U32(rec + " DataVersion");
        e.memoryFlags = c.U16(rec + " MemoryFlags");
        e.language = c.U16(rec + " LanguageId");
        e.version = c.U32(rec + " Version");
        e.characteristics = c.U32(rec + " Characteristics");
        const std::size_t fields = c.pos() - start;
        if (headerSize < fields)
            c.FailAt(start + 4, rec + " HeaderSize",
                     std::to_string(headerSize) + " is smaller than its fields (" + std::to_string(fields) + " bytes)");
        if (static_cast<std::uint64_t>(start) + headerSize > bytes.size())
            c.FailAt(start + 4, rec + " HeaderSize",
                     std::to_string(headerSize) + " runs past the end (" + Hex(bytes.size()) + ")");
        const std::uint64_t dataStart = static_cast<std::uint64_t>(start) + headerSize;
        const std::uint64_t dataEnd = dataStart + dataSize;
        if (dataEnd > bytes.size())
            c.FailAt(start, rec + " DataSize",
                     std::to_string(dataSize) + " bytes at " + Hex(dataStart) + " run past the end (" +
                         Hex(bytes.size()) + ")");
        e.data = bytes.subspan(static_cast<std::size_t>(dataStart), dataSize);

        if (index == 0) {
            const bool marker =
                dataSize == 0 && headerSize == 32 && e.type == ResId::Ordinal(0) && e.name == ResId::Ordinal(0);
            if (!marker) c.FailAt(0, "record 0", "not the empty 32-byte marker record a 32-bit .res begins with");
        } else {
            file.m_entries.push_back(std::move(e));
        }
        // The last record may end without its padding; nothing is lost.
        start = static_cast<std::size_t>((dataEnd + 3) & ~std::uint64_t{3});
    }
    return file;
}

const ResEntry* ResFile::Find(const ResId& type, const ResId& name, std::optional<std::uint16_t> language) const
{
    for (const ResEntry& e : m_entries) {
        if (!SameId(e.type, type) || !SameId(e.name, name)) continue;
        if (language && e.language != *language) continue;
        return &e;
    }
    return nullptr;
}

}  // namespace host::res

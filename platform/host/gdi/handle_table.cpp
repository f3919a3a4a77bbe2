// The GDI handle table: handle = (generation << 32) | (slot + 1). A slot's
// generation changes each time it is freed, so old handles stop matching.
#include "gdi/objects.h"

#include <new>

namespace host::gdi {
namespace {

struct Slot {
    std::uint32_t generation = 1;
    std::unique_ptr<Object> object;
};

struct Table {
    std::vector<Slot> slots;
    std::vector<std::uint32_t> freeSlots;
};

Table& TheTable()
{
    static Table table;
    return table;
}

constexpr std::uint64_t kSlotMask = 0xFFFFFFFFu;

void* MakeHandle(std::uint32_t slot, std::uint32_t generation)
{
    std::uint64_t value = (static_cast<std::uint64_t>(generation) << 32) | (slot + 1u);
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(value));
}

Slot* Find(const void* handle)
{
    auto value = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle));
    std::uint64_t index = value & kSlotMask;
    auto generation = static_cast<std::uint32_t>(value >> 32);
    Table& t = TheTable();
    if (index == 0 || index > t.slots.size()) return nullptr;
    Slot& s = t.slots[index - 1];
    if (!s.object || s.generation != generation) return nullptr;
    return &s;
}

}  // namespace

PixelStore PixelStore::Zeroed(std::size_t count)
{
    PixelStore store;
    if (count == 0) return store;
    store.m_zeroed.reset(static_cast<std::uint32_t*>(std::calloc(count, sizeof(std::uint32_t))));
    if (!store.m_zeroed) throw std::bad_alloc();
    store.m_count = count;
    return store;
}

PixelStore PixelStore::Adopt(std::vector<std::uint32_t>&& pixels)
{
    PixelStore store;
    store.m_count = pixels.size();
    store.m_adopted = std::move(pixels);
    return store;
}

void* Add(std::unique_ptr<Object> object)
{
    Table& t = TheTable();
    try {
        std::uint32_t index;
        if (!t.freeSlots.empty()) {
            index = t.freeSlots.back();
            t.freeSlots.pop_back();
        } else {
            t.slots.emplace_back();
            index = static_cast<std::uint32_t>(t.slots.size() - 1);
        }
        t.slots[index].object = std::move(object);
        return MakeHandle(index, t.slots[index].generation);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

Object* Get(const void* handle)
{
    Slot* s = Find(handle);
    if (!s) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return s->object.get();
}

void Remove(const void* handle)
{
    Slot* s = Find(handle);
    if (!s) return;
    s->object.reset();
    // Generation 0 never appears in a live handle, so skip it on wrap.
    if (++s->generation == 0) s->generation = 1;
    Table& t = TheTable();
    t.freeSlots.push_back(static_cast<std::uint32_t>(s - t.slots.data()));
}

Dc* GetDc(const void* handle)
{
    Object* o = Get(handle);
    if (!o) return nullptr;
    if (o->kind() != Kind::MemoryDc && o->kind() != Kind::SurfaceDc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return static_cast<Dc*>(o);
}

bool SaneSize(int cx, int cy)
{
    if (cx <= 0 || cy <= 0 || cx > kMaxSide || cy > kMaxSide) return false;
    return static_cast<std::size_t>(cx) * static_cast<std::size_t>(cy) * sizeof(std::uint32_t) <= kMaxBytes;
}

std::uint32_t ToMono(std::uint32_t p)
{
    // Rec. 601 luma; mid grey and brighter count as white.
    unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return (r * 299 + g * 587 + b * 114) >= 128000 ? 0x00FFFFFFu : 0u;
}

}  // namespace host::gdi

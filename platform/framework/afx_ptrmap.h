// A map from one pointer-sized key to a pointer: the framework's handle
// tables. It holds a few entries (the windows of one thread, the wrappers
// made since the last idle), so it is a flat array searched in order, and it
// is built on the C heap rather than the standard containers, which would
// link the C++ library's string and exception machinery into the product.
#pragma once

#include <cstddef>

class CMapPtrToPtr {
public:
    CMapPtrToPtr() = default;
    ~CMapPtrToPtr();
    CMapPtrToPtr(const CMapPtrToPtr&) = delete;
    CMapPtrToPtr& operator=(const CMapPtrToPtr&) = delete;

    // The value stored for key, or nullptr.
    void* Lookup(const void* key) const;
    // Stores value for key; false, with the map unchanged, when no memory is
    // left for a new entry.
    bool SetAt(const void* key, void* value);
    void RemoveKey(const void* key);
    void RemoveAll();

    std::size_t GetCount() const { return m_nCount; }
    const void* GetKeyAt(std::size_t i) const { return m_pEntries[i].key; }
    void* GetValueAt(std::size_t i) const { return m_pEntries[i].value; }

private:
    struct Entry {
        const void* key;
        void* value;
    };
    Entry* Find(const void* key) const;

    Entry* m_pEntries = nullptr;
    std::size_t m_nCount = 0;
    std::size_t m_nCapacity = 0;
};

// The framework's pointer map.
#include "afx_ptrmap.h"

#include <cstdlib>

CMapPtrToPtr::~CMapPtrToPtr() { std::free(m_pEntries); }

CMapPtrToPtr::Entry* CMapPtrToPtr::Find(const void* key) const
{
    for (std::size_t i = 0; i < m_nCount; ++i) {
        if (m_pEntries[i].key == key) return &m_pEntries[i];
    }
    return nullptr;
}

void* CMapPtrToPtr::Lookup(const void* key) const
{
    const Entry* entry = Find(key);
    return entry ? entry->value : nullptr;
}

bool CMapPtrToPtr::SetAt(const void* key, void* value)
{
    if (Entry* entry = Find(key)) {
        entry->value = value;
        return true;
    }
    if (m_nCount == m_nCapacity) {
        const std::size_t capacity = m_nCapacity ? m_nCapacity * 2 : 8;
        void* grown = std::realloc(m_pEntries, capacity * sizeof(Entry));
        if (!grown) return false;
        m_pEntries = static_cast<Entry*>(grown);
        m_nCapacity = capacity;
    }
    m_pEntries[m_nCount++] = Entry{key, value};
    return true;
}

// The last entry takes the removed one's place: the order is not kept.
void CMapPtrToPtr::RemoveKey(const void* key)
{
    if (Entry* entry = Find(key)) *entry = m_pEntries[--m_nCount];
}

void CMapPtrToPtr::RemoveAll() { m_nCount = 0; }

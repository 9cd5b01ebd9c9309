#include "platform/ArrayList.h"

#include <cstdlib>
#include <cstring>

ArrayList::ArrayList(ArrayListKind kind, uint32_t entrySize)
    : m_kind(kind), m_nEntrySize(kind == ARRAYLIST_BY_POINTER ? uint32_t(sizeof(void*)) : entrySize) {}

ArrayList::~ArrayList() { Release(); }

HRESULT ArrayList::Add(const void* entry) {
    if (m_nEntrySize == 0) return E_FAIL;
    if (!m_pData || m_nCount + 1 > m_nCapacity) {
        uint32_t capacity = m_nCapacity == 0 ? 16 : m_nCapacity * 2;
        if (capacity < m_nCapacity) return E_OUTOFMEMORY;  // would wrap
        auto* data = static_cast<unsigned char*>(std::malloc(size_t(capacity) * m_nEntrySize));
        if (!data) return E_OUTOFMEMORY;
        if (m_pData) std::memcpy(data, m_pData, size_t(m_nCount) * m_nEntrySize);
        std::free(m_pData);
        m_pData = data;
        m_nCapacity = capacity;
    }
    unsigned char* slot = m_pData + size_t(m_nCount) * m_nEntrySize;
    if (m_kind == ARRAYLIST_BY_POINTER) std::memcpy(slot, &entry, sizeof entry);
    else std::memcpy(slot, entry, m_nEntrySize);
    ++m_nCount;
    return S_OK;
}

void* ArrayList::GetPtr(uint32_t index) const {
    unsigned char* slot = m_pData + size_t(index) * m_nEntrySize;
    if (m_kind == ARRAYLIST_BY_POINTER) {
        void* p;
        std::memcpy(&p, slot, sizeof p);
        return p;
    }
    return slot;
}

bool ArrayList::Contains(const void* entry) const {
    for (uint32_t i = 0; i < m_nCount; ++i) {
        if (m_kind == ARRAYLIST_BY_POINTER) {
            if (GetPtr(i) == entry) return true;
        } else if (std::memcmp(GetPtr(i), entry, m_nEntrySize) == 0) {
            return true;
        }
    }
    return false;
}

void ArrayList::Release() {
    std::free(m_pData);
    m_pData = nullptr;
    m_nCount = 0;
    m_nCapacity = 0;
}

#pragma once
// Growable array of the device enumeration: entries stored by value (copied
// byte for byte) or as pointers.
#include <cstdint>

#include "platform/HResult.h"

enum ArrayListKind : uint32_t { ARRAYLIST_BY_VALUE = 0, ARRAYLIST_BY_POINTER = 1 };

class ArrayList {
public:
    // A pointer list's entry size is the size of a pointer whatever is passed.
    ArrayList(ArrayListKind kind, uint32_t entrySize);
    ~ArrayList();
    ArrayList(const ArrayList&) = delete;
    ArrayList& operator=(const ArrayList&) = delete;

    // A value list copies entry size bytes from entry; a pointer list keeps entry.
    HRESULT Add(const void* entry);
    // No bounds check: callers stay below Count().
    void* GetPtr(uint32_t index) const;
    bool Contains(const void* entry) const;
    void Release();

    uint32_t Count() const { return m_nCount; }
    uint32_t Capacity() const { return m_nCapacity; }

private:
    ArrayListKind m_kind;
    unsigned char* m_pData = nullptr;
    uint32_t m_nEntrySize;
    uint32_t m_nCount = 0;
    uint32_t m_nCapacity = 0;
};

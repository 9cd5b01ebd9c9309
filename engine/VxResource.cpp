#include "engine/VxResource.h"

#include <cstring>

char* DupResourceText(const char* text) {
    if (!text || !*text) return nullptr;
    size_t n = std::strlen(text) + 1;
    char* copy = new char[n];
    std::memcpy(copy, text, n);
    return copy;
}

CVxResource::CVxResource(const CVxResource& other)
    : m_pszName(DupResourceText(other.m_pszName)),
      m_pszPath(DupResourceText(other.m_pszPath)),
      m_iOwnerId(other.m_iOwnerId) {}

CVxResource& CVxResource::operator=(const CVxResource& other) {
    if (this == &other) return *this;
    char* name = DupResourceText(other.m_pszName);
    char* path = DupResourceText(other.m_pszPath);
    FreeNames();
    m_pszName = name;
    m_pszPath = path;
    m_iOwnerId = other.m_iOwnerId;
    return *this;
}

CVxResource::~CVxResource() {
    FreeNames();
    // Only the base's own reset: a derived part is already gone here.
    CVxResource::ResetResource();
}

void CVxResource::FreeNames() {
    delete[] m_pszName;
    delete[] m_pszPath;
    m_pszName = nullptr;
    m_pszPath = nullptr;
}

void CVxResource::ResetResource() {
    m_pszName = nullptr;
    m_pszPath = nullptr;
}

void CVxResource::Release() {
    FreeNames();
    ResetResource();
}

bool CVxResource::IsEmpty() { return false; }

bool CVxResource::Load(const char* name, const char* folder) {
    char* n = DupResourceText(name);
    char* p = DupResourceText(folder);
    FreeNames();
    m_pszName = n;
    m_pszPath = p;
    return true;
}

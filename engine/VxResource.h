#pragma once
// Second base of every loadable thing: the name and folder it was loaded from
// and the owner whose resource manager loaded it.
#include <cstdint>

// Owner ids besides page indices.
enum : int32_t {
    OWNER_APPLICATION = -1,
    OWNER_NONE = -2,
    OWNER_UNSET = -3,  // a fresh resource manager before its owner names itself
};

class CVxResource {
public:
    CVxResource() = default;
    // Copies carry their own copies of the name and folder.
    CVxResource(const CVxResource& other);
    CVxResource& operator=(const CVxResource& other);
    virtual ~CVxResource();

    // Forgets the name and folder pointers without freeing them.
    virtual void ResetResource();
    // Frees the name and folder, then forgets them.
    virtual void Release();
    virtual bool IsEmpty();
    // Replaces both copies; an empty string is stored as null.
    virtual bool Load(const char* name, const char* folder);

    char* m_pszName = nullptr;
    char* m_pszPath = nullptr;
    int32_t m_iOwnerId = OWNER_NONE;

protected:
    void FreeNames();
};

// A heap copy of text (new[]), or null for a null or empty text.
char* DupResourceText(const char* text);

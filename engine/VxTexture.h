#pragma once
// One picture for drawing, from the resource archive or, while loose files are
// on, from the disk. Loading (often on a loader thread) reads the file and
// makes sure it decodes; the picture is decoded and handed to the graphics
// device at the main thread's first use, since only that thread may touch the
// device. Until then only the file is held, a small part of the pixels' size,
// so pictures that are loaded but not drawn yet cost little.
#include <cstddef>
#include <cstdint>
#include <thread>
#include <vector>

#include "engine/VxResource.h"
#include "platform/host/GraphicsDevice.h"

class CVxTexture : public CVxResource {
public:
    CVxTexture(const char* name, const char* folder);
    ~CVxTexture() override;
    CVxTexture(const CVxTexture&) = delete;
    CVxTexture& operator=(const CVxTexture&) = delete;

    // Forgets the names; width and height 100, no picture.
    void ResetResource() override;
    void Release() override;
    // True when no picture is held (neither its file nor a device texture).
    bool IsEmpty() override;
    bool Load(const char* name, const char* folder) override;

    // Main thread: the device texture, decoding and uploading the picture
    // first if that has not happened yet. 0 when the texture is empty. A file
    // that passed the load's quick check but does not decode shows the load's
    // message now and leaves the texture empty.
    host::TextureHandle Handle(host::GraphicsDevice& device);
    // Main thread: frees device textures released on other threads (a texture
    // released on the thread that uploaded it is freed at once).
    static void FreeReleasedTextures();
    // Main thread: shows a device texture somebody else owns (a render
    // target). The texture's own picture is let go; Release leaves the shown
    // one alone.
    void ShowForeignTexture(host::TextureHandle texture);

    int32_t m_iWidth = 100;
    int32_t m_iHeight = 100;
    host::TextureHandle m_pTexture = 0;

private:
    // Keeps a picture file for its first use once it is known to decode;
    // false (nothing kept) when it does not.
    bool KeepFile(const uint8_t* data, size_t size);

    std::vector<uint8_t> m_file;                 // the picture file, not yet decoded
    host::GraphicsDevice* m_pDevice = nullptr;   // where m_pTexture lives
    std::thread::id m_uploadThread;              // the thread that may free it
};

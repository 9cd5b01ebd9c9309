#pragma once
// One picture for drawing, from the resource archive or, while loose files are
// on, from the disk. Loading decodes on the calling thread (often a loader
// thread); the upload to the graphics device waits for the main thread's
// first use, since only that thread may touch the device. Meanwhile the
// decoded pixels are held packed (PackedPixels).
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/DecodedResources.h"
#include "engine/PackedPixels.h"
#include "engine/PictureDecoder.h"
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
    // True when no picture is held (neither decoded nor uploaded).
    bool IsEmpty() override;
    bool Load(const char* name, const char* folder) override;

    // Main thread: the device texture, uploading the decoded picture first
    // if that has not happened yet. 0 when the texture is empty.
    host::TextureHandle Handle(host::GraphicsDevice& device);
    // Main thread: frees device textures released on other threads (a texture
    // released on the thread that uploaded it is freed at once).
    static void FreeReleasedTextures();
    // Main thread: shows a device texture somebody else owns (a render
    // target). The texture's own picture is let go; Release leaves the shown
    // one alone.
    void ShowForeignTexture(host::TextureHandle texture);

    // While one lives, pictures the same thread loads from the archive are
    // decoded together on worker threads when it ends; their sizes come from
    // the file headers at once. A failed decode shows its message then, as a
    // load would have.
    class DecodeBatch {
    public:
        DecodeBatch();
        ~DecodeBatch();
        DecodeBatch(const DecodeBatch&) = delete;
        DecodeBatch& operator=(const DecodeBatch&) = delete;
    };

    int32_t m_iWidth = 100;
    int32_t m_iHeight = 100;
    host::TextureHandle m_pTexture = 0;

    // Bytes held by the decoded picture while it waits for its upload; 0 after it.
    size_t PendingBytes() const { return m_pPending ? m_pPending->pixels.HeldBytes() : 0; }

private:
    // Keeps a decoded picture until its upload, and under key (see DecodedResources) for later loads.
    void Hold(int width, int height, PackedPixels&& pixels, const std::string& key);

    std::shared_ptr<const HeldPicture> m_pPending;  // decoded, not yet uploaded
    host::GraphicsDevice* m_pDevice = nullptr;      // where m_pTexture lives
    std::thread::id m_uploadThread;                 // the thread that may free it
};

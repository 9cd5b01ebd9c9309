#include "engine/VxTexture.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "engine/PictureDecoder.h"
#include "engine/VxApplication.h"
#include "platform/LooseFile.h"
#include "platform/ReadWholeFile.h"
#include "platform/ResourceArchive.h"
#include "platform/host/MessageBox.h"

namespace {

// Device textures whose owners went away on a thread that may not touch the device.
std::mutex g_releasedMutex;
std::vector<std::pair<host::GraphicsDevice*, host::TextureHandle>> g_released;
// Lets every draw skip the lock when nothing waits, which is nearly always.
std::atomic<bool> g_bAnyReleased{false};

const char* const kLoadError = "Loading Texture Error !!";
const char* const kMemoryError = "Loading Texture From Memory Error !!";

// The name a picture is looked up by: the resource root, the folder with
// slashes, the name.
std::string FullName(const char* name, const char* folder) {
    std::string dir;
    if (folder && *folder) {
        dir = std::string(g_pApp && g_pApp->m_pszResourceRoot ? g_pApp->m_pszResourceRoot : "") + folder;
        std::replace(dir.begin(), dir.end(), '\\', '/');
    }
    return dir + (name ? name : "");
}

}  // namespace

CVxTexture::CVxTexture(const char* name, const char* folder) {
    m_iOwnerId = OWNER_NONE;
    Load(name, folder);
}

CVxTexture::~CVxTexture() { Release(); }

void CVxTexture::ResetResource() {
    CVxResource::ResetResource();
    m_iWidth = 100;
    m_iHeight = 100;
    m_pTexture = 0;
    m_pDevice = nullptr;
    m_uploadThread = std::thread::id();
    std::vector<uint8_t>().swap(m_file);
}

bool CVxTexture::IsEmpty() { return m_pTexture == 0 && m_file.empty(); }

void CVxTexture::Release() {
    if (IsEmpty()) return;
    if (m_pTexture && m_pDevice) {
        if (std::this_thread::get_id() == m_uploadThread) {
            m_pDevice->ReleaseTexture(m_pTexture);
        } else {
            std::lock_guard<std::mutex> lock(g_releasedMutex);
            g_released.emplace_back(m_pDevice, m_pTexture);
            g_bAnyReleased.store(true, std::memory_order_release);
        }
    }
    m_pTexture = 0;
    FreeNames();
    ResetResource();
}

void CVxTexture::FreeReleasedTextures() {
    if (!g_bAnyReleased.load(std::memory_order_acquire)) return;
    std::vector<std::pair<host::GraphicsDevice*, host::TextureHandle>> released;
    {
        std::lock_guard<std::mutex> lock(g_releasedMutex);
        released.swap(g_released);
        g_bAnyReleased.store(false, std::memory_order_relaxed);
    }
    for (auto& r : released) r.first->ReleaseTexture(r.second);
}

void CVxTexture::ShowForeignTexture(host::TextureHandle texture) {
    if (m_pTexture && m_pDevice && m_pTexture != texture) m_pDevice->ReleaseTexture(m_pTexture);
    std::vector<uint8_t>().swap(m_file);
    m_pTexture = texture;
    m_pDevice = nullptr;
}

host::TextureHandle CVxTexture::Handle(host::GraphicsDevice& device) {
    FreeReleasedTextures();
    if (!m_file.empty()) {
        std::vector<uint8_t> file;
        file.swap(m_file);
        DecodedPicture picture;
        if (DecodePicture(file.data(), file.size(), picture)) {
            m_pTexture = device.CreateTexture(picture.width, picture.height, picture.rgba.data());
            m_pDevice = m_pTexture ? &device : nullptr;
            m_uploadThread = std::this_thread::get_id();
        } else {
            m_iWidth = m_iHeight = 100;
            host::ShowMessageBox(FullName(m_pszName, m_pszPath) + "\n NOT FOUND", kMemoryError);
        }
    }
    return m_pTexture;
}

bool CVxTexture::KeepFile(const uint8_t* data, size_t size) {
    int width = 0, height = 0;
    // Most files pass the quick check; the others are decoded once to be sure.
    if (!CheckPicture(data, size, width, height)) {
        DecodedPicture picture;
        if (!DecodePicture(data, size, picture)) return false;
        width = picture.width;
        height = picture.height;
    }
    m_file.assign(data, data + size);
    m_iWidth = width;
    m_iHeight = height;
    return true;
}

bool CVxTexture::Load(const char* name, const char* folder) {
    CVxResource::Load(name, folder);
    // A nameless texture object waits for a picture from elsewhere (a render target).
    if (!IsEmpty() || !g_pApp || !name || !*name) return true;

    const std::string full = FullName(name, folder);
    if (g_bLooseFiles) {
        std::unique_ptr<VxFile> file(ReadWholeFile(OpenLooseFile(full, "rb")));  // closes the stream
        if (!file || !KeepFile(reinterpret_cast<const uint8_t*>(file->data), file->size))
            host::ShowMessageBox(full + "\n NOT FOUND", kLoadError);
        return true;
    }
    void* block = nullptr;
    uint32_t size = 0;
    ResourceArchive* archive = GetResourceArchive();
    const bool found = archive && archive->UnzipItem(full.c_str(), &size, &block, 0);
    const bool kept = found && KeepFile(static_cast<const uint8_t*>(block), size);
    // A failed extraction leaves its block with us, like a good one.
    std::free(block);
    if (!found) host::ShowMessageBox(full + "\n NOT FOUND IN ZIP", kLoadError);
    else if (!kept) host::ShowMessageBox(full + "\n NOT FOUND", kMemoryError);
    return true;
}

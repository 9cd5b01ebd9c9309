#include "engine/VxTexture.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "engine/VxApplication.h"
#include "platform/LooseFile.h"
#include "platform/ReadWholeFile.h"
#include "platform/ResourceArchive.h"
#include "platform/host/MessageBox.h"
#include "platform/host/Thread.h"

namespace {

// Device textures whose owners went away on a thread that may not touch the device.
std::mutex g_releasedMutex;
std::vector<std::pair<host::GraphicsDevice*, host::TextureHandle>> g_released;
// Lets every draw skip the lock when nothing waits, which is nearly always.
std::atomic<bool> g_bAnyReleased{false};

const char* const kLoadError = "Loading Texture Error !!";
const char* const kMemoryError = "Loading Texture From Memory Error !!";

// Pictures waiting for a batch's decode, per loading thread.
struct BatchJob {
    CVxTexture* texture;
    std::string full;
    std::string key;
    std::vector<uint8_t> bytes;
    int width = 0, height = 0;
    PackedPixels pixels;  // packed on the worker that decoded them
    bool ok = false;
};
thread_local std::vector<BatchJob>* t_pBatch = nullptr;

std::string Slashed(std::string s) {
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
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
    m_pPending.reset();
}

bool CVxTexture::IsEmpty() { return m_pTexture == 0 && !m_pPending; }

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
    m_pPending.reset();
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
    m_pPending.reset();
    m_pTexture = texture;
    m_pDevice = nullptr;
}

host::TextureHandle CVxTexture::Handle(host::GraphicsDevice& device) {
    FreeReleasedTextures();
    if (m_pPending) {
        std::vector<uint8_t> scratch;
        m_pTexture = device.CreateTexture(m_pPending->width, m_pPending->height, m_pPending->pixels.Rgba(scratch));
        m_pDevice = m_pTexture ? &device : nullptr;
        m_uploadThread = std::this_thread::get_id();
        m_pPending.reset();
    }
    return m_pTexture;
}

CVxTexture::DecodeBatch::DecodeBatch() {
    if (!t_pBatch) t_pBatch = new std::vector<BatchJob>();
}

CVxTexture::DecodeBatch::~DecodeBatch() {
    std::unique_ptr<std::vector<BatchJob>> jobs(t_pBatch);
    t_pBatch = nullptr;
    if (!jobs || jobs->empty()) return;
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i; (i = next.fetch_add(1)) < jobs->size();) {
            BatchJob& job = (*jobs)[i];
            DecodedPicture picture;
            job.ok = DecodePicture(job.bytes.data(), job.bytes.size(), picture);
            std::vector<uint8_t>().swap(job.bytes);
            job.width = picture.width;
            job.height = picture.height;
            if (job.ok) job.pixels = PackedPixels(std::move(picture.rgba));
        }
    };
    const size_t helpers = std::min<size_t>(jobs->size(), std::max(1u, std::thread::hardware_concurrency())) - 1;
    std::vector<host::Thread> threads(helpers);
    for (host::Thread& t : threads) t.Start(work, host::ThreadPriority::Normal);
    work();
    for (host::Thread& t : threads) t.Join();
    for (BatchJob& job : *jobs) {
        if (!job.ok) {
            job.texture->m_iWidth = job.texture->m_iHeight = 100;
            if (!ResourceArchiveDamaged()) host::ShowMessageBox(job.full + "\n NOT FOUND", kMemoryError);
            continue;
        }
        job.texture->Hold(job.width, job.height, std::move(job.pixels), job.key);
    }
}

bool CVxTexture::Load(const char* name, const char* folder) {
    CVxResource::Load(name, folder);
    // A nameless texture object waits for a picture from elsewhere (a render target).
    if (!IsEmpty() || !g_pApp || !name || !*name) return true;

    const std::string base = g_pApp->m_pszResourceRoot ? g_pApp->m_pszResourceRoot : "";
    std::string dir = (folder && *folder) ? Slashed(base + folder) : std::string();
    const std::string full = dir + (name ? name : "");

    DecodedPicture picture;
    std::string key;
    if (g_bLooseFiles) {
        std::unique_ptr<VxFile> file(ReadWholeFile(OpenLooseFile(full, "rb")));  // closes the stream
        if (!file || !DecodePicture(reinterpret_cast<const uint8_t*>(file->data), file->size, picture)) {
            host::ShowMessageBox(full + "\n NOT FOUND", kLoadError);
            return true;
        }
    } else {
        if (std::shared_ptr<const HeldPicture> held = FindHeldPicture(StoredResourceKey(full))) {
            m_iWidth = held->width;
            m_iHeight = held->height;
            m_pPending = std::move(held);
            return true;
        }
        void* block = nullptr;
        uint32_t size = 0, packedCrc = 0;
        ResourceArchive* archive = GetResourceArchive();
        bool found = archive && archive->UnzipItem(full.c_str(), &size, &block, 0, &packedCrc);
        if (found) key = DecodedResourceKey(full, packedCrc);
        int width = 0, height = 0;
        if (found && t_pBatch && ReadPictureSize(static_cast<const uint8_t*>(block), size, width, height)) {
            const uint8_t* b = static_cast<const uint8_t*>(block);
            t_pBatch->push_back({this, full, key, std::vector<uint8_t>(b, b + size), 0, 0, PackedPixels(), false});
            std::free(block);
            m_iWidth = width;
            m_iHeight = height;
            return true;
        }
        bool decoded = found && DecodePicture(static_cast<const uint8_t*>(block), size, picture);
        // A failed extraction leaves its block with us, like a good one.
        std::free(block);
        // A damaged archive was told once already.
        if (ResourceArchiveDamaged()) return true;
        if (!found) {
            host::ShowMessageBox(full + "\n NOT FOUND IN ZIP", kLoadError);
            return true;
        }
        if (!decoded) {
            host::ShowMessageBox(full + "\n NOT FOUND", kMemoryError);
            return true;
        }
    }
    Hold(picture.width, picture.height, PackedPixels(std::move(picture.rgba)), key);
    return true;
}

void CVxTexture::Hold(int width, int height, PackedPixels&& pixels, const std::string& key) {
    m_iWidth = width;
    m_iHeight = height;
    m_pPending = std::make_shared<const HeldPicture>(HeldPicture{width, height, std::move(pixels)});
    KeepPicture(key, m_pPending);
}

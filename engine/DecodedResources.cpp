#include "engine/DecodedResources.h"

#include <atomic>
#include <map>
#include <mutex>

#include "platform/ResourceArchive.h"

namespace {

std::atomic<bool> s_bKeep{false};
std::mutex s_mutex;
std::map<std::string, std::shared_ptr<const HeldPicture>> s_pictures;
std::map<std::string, std::shared_ptr<const HeldSound>> s_sounds;

template <typename T>
std::shared_ptr<const T> Find(const std::map<std::string, std::shared_ptr<const T>>& held, const std::string& key) {
    if (key.empty()) return nullptr;
    std::lock_guard<std::mutex> lock(s_mutex);
    auto it = held.find(key);
    return it == held.end() ? nullptr : it->second;
}

template <typename T>
void Keep(std::map<std::string, std::shared_ptr<const T>>& held, const std::string& key, std::shared_ptr<const T> r) {
    if (key.empty() || !r) return;
    std::lock_guard<std::mutex> lock(s_mutex);
    held[key] = std::move(r);
}

}  // namespace

void KeepDecodedResources(bool keep) {
    s_bKeep = keep;
    if (keep) return;
    std::lock_guard<std::mutex> lock(s_mutex);
    s_pictures.clear();
    s_sounds.clear();
}

std::string DecodedResourceKey(const std::string& entry, uint32_t packedCrc) {
    const ResourceArchive* archive = GetResourceArchive();
    if (!s_bKeep || !archive || archive->ArchiveRefused() || archive->ArchiveDamaged()) return "";
    const ZipEntry* found = archive->FindArchiveEntry(entry.c_str());
    if (!found) return "";
    return Utf16ToUtf8(found->name) + ':' + std::to_string(found->crc32) + ':' + std::to_string(found->compressedSize) +
           ':' + std::to_string(found->uncompressedSize) + ':' + std::to_string(packedCrc);
}

std::string StoredResourceKey(const std::string& entry) {
    ResourceArchive* archive = GetResourceArchive();
    uint32_t packedCrc = 0;
    if (!s_bKeep || !archive || !archive->PackedItemCrc(entry.c_str(), packedCrc)) return "";
    return DecodedResourceKey(entry, packedCrc);
}

std::shared_ptr<const HeldPicture> FindHeldPicture(const std::string& key) { return Find(s_pictures, key); }
std::shared_ptr<const HeldSound> FindHeldSound(const std::string& key) { return Find(s_sounds, key); }
void KeepPicture(const std::string& key, std::shared_ptr<const HeldPicture> p) { Keep(s_pictures, key, std::move(p)); }
void KeepSound(const std::string& key, std::shared_ptr<const HeldSound> s) { Keep(s_sounds, key, std::move(s)); }

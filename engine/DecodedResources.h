#pragma once
// Pictures and sounds kept decoded for the rest of the process, by archive
// and entry. The game never turns this on: it holds only what its pages have
// loaded. A process that starts the game hundreds of times over one archive
// (the test programs) would otherwise decode the same entries hundreds of times.
// An entry is known by its name, CRC-32 and sizes in the directory of the
// archive that is open and the CRC-32 of its stored bytes, and is kept only
// once those bytes were unpacked and checked whole. Asking again reads the
// stored bytes, not unpacking them: another archive, a rewritten one opened
// again, or bytes damaged under an intact directory are never answered from
// what was kept.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/PackedPixels.h"
#include "platform/SoundResult.h"

void KeepDecodedResources(bool keep);

struct HeldPicture {
    int width, height;
    PackedPixels pixels;
};

struct HeldSound {
    WaveFormat format;
    std::vector<uint8_t> pcm;
};

// The key of an entry of the archive opened last whose stored bytes had the
// given CRC-32 when they were unpacked, or "" when nothing is kept (turned
// off, no archive, a damaged one, or no such entry).
std::string DecodedResourceKey(const std::string& entry, uint32_t packedCrc);
// The key of the entry's stored bytes as they are now, read without
// unpacking them; "" as above, or when they cannot be read.
std::string StoredResourceKey(const std::string& entry);

// Null when the key is "" or nothing is kept under it.
std::shared_ptr<const HeldPicture> FindHeldPicture(const std::string& key);
std::shared_ptr<const HeldSound> FindHeldSound(const std::string& key);
// Keeps a decoded resource under a key that is not "".
void KeepPicture(const std::string& key, std::shared_ptr<const HeldPicture> picture);
void KeepSound(const std::string& key, std::shared_ptr<const HeldSound> sound);

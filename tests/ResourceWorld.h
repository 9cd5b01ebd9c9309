#pragma once
// A headless application with a small archive of sounds and pictures, the
// sound manager on the headless audio device, and the sound levels at their
// defaults. Tests of sounds, textures and resource managers build on it.
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "platform/AppActive.h"
#include "platform/ResourceArchive.h"
#include "platform/SoundManager.h"
#include "platform/SoundVolumes.h"
#include "platform/ZipReader.h"
#include "tests/Harness.h"
#include "tools/assetpack/ZipWriter.h"

namespace world {

inline ZipWriteOptions Sealed() {
    ZipWriteOptions o;
    o.password = g_szZipPassword;
    return o;
}

class ResourceWorld {
public:
    explicit ResourceWorld(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files) {
        g_iEffectVolume = DEFAULT_EFFECT_VOLUME;
        g_iMusicVolume = DEFAULT_MUSIC_VOLUME;
        g_iGroup2Volume = 0;
        g_iMasterVolume = 0;
        g_fGroup0VolumeScale = 1.0f;
        g_bAllSoundsPaused = false;
        g_bAppActive = true;
        g_bLooseFiles = false;

        dir = std::filesystem::temp_directory_path() /
              ("csq_world_" + std::to_string(::getpid()) + "_" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        ZipWriter zip;
        std::vector<std::string> folders;
        for (const auto& f : files) {
            std::string folder = f.first.substr(0, f.first.rfind('/') + 1);
            bool known = false;
            for (const auto& k : folders) known = known || k == folder;
            if (!known) {
                if (folders.empty()) zip.AddDirectory("Resource/");
                if (folder != "Resource/") zip.AddDirectory(folder);
                folders.push_back(folder);
            }
            zip.AddFile(f.first, f.second, Sealed());
        }
        std::string path = (dir / "DATA").string();
        zip.WriteTo(path);
        archive.OpenResourceArchive(path);

        sounds.Initialize();
        g_pSoundManager = &sounds;
    }
    ~ResourceWorld() {
        g_pSoundManager = nullptr;
        g_bAllSoundsPaused = false;
        g_bAppActive = true;
        g_bLooseFiles = false;
        g_iMasterVolume = 0;
        std::filesystem::remove_all(dir);
    }

    // Samples heard since the last call, left channel only.
    std::vector<int16_t> HeardLeft() {
        auto all = host.audio.TakeMixed();
        std::vector<int16_t> left;
        for (size_t i = 0; i < all.size(); i += 2) left.push_back(all[i]);
        return left;
    }

    host::HeadlessHost host;
    harness::TestApplication app;
    std::filesystem::path dir;
    ResourceArchive archive;
    SoundManager sounds;
};

}  // namespace world

#pragma once
// A fresh save folder for each test: APPDATA points at a new temporary
// folder, and the profile copies and sound levels start from zero.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/GameSaveData.h"
#include "content/SaveProfile.h"
#include "platform/SoundVolumes.h"

class SaveFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A memory folder where there is one: the layer syncs every write.
        char pattern[] = "/dev/shm/csq-save-XXXXXX";
        char fallback[] = "/tmp/csq-save-XXXXXX";
        char* made = mkdtemp(pattern);
        if (!made) made = mkdtemp(fallback);
        ASSERT_NE(made, nullptr);
        m_Root = made;
        setenv("APPDATA", m_Root.c_str(), 1);
        ResetMemory();
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_Root, ec);
    }

    static void ResetMemory() {
        g_CurrentProfile = SaveProfile{};
        for (SaveProfile& p : g_aStoredProfiles) p = SaveProfile{};
        g_iMusicVolume = DEFAULT_MUSIC_VOLUME;
        g_iEffectVolume = DEFAULT_EFFECT_VOLUME;
        g_iGroup2Volume = 0;
    }

    std::string MainPath() const { return m_Root + "/Orvendale/Cogsquall/SaveData.dat"; }
    std::string BackupPath() const { return m_Root + "/Orvendale/Cogsquall/DataBkUp.dat"; }

    static bool Exists(const std::string& path) { return std::filesystem::exists(path); }

    static std::vector<uint8_t> ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    static int32_t ReadInt(const std::vector<uint8_t>& bytes, size_t offset) {
        int32_t v;
        std::memcpy(&v, bytes.data() + offset, 4);
        return v;
    }
    static void WriteInt(std::vector<uint8_t>& bytes, size_t offset, int32_t v) {
        std::memcpy(bytes.data() + offset, &v, 4);
    }
    // Recomputes the checksum as the game would, so a test can change a value
    // and keep the file acceptable.
    static void FixChecksum(std::vector<uint8_t>& bytes) {
        int32_t sum = 0;
        for (size_t i = 0; i < 5128; ++i) sum += static_cast<int8_t>(bytes[i]);
        WriteInt(bytes, 5128 + 8, sum);
    }

    // Loads (or creates) the save, names the profiles in order and saves;
    // a second call therefore pushes the first file into the backup.
    void MakeSaveWith(std::initializer_list<const char*> names) {
        CGameSaveData save;
        const int loaded = save.Load();
        ASSERT_TRUE(loaded == CVxSaveData::SAVE_OK || loaded == CVxSaveData::SAVE_CREATED) << loaded;
        int slot = 0;
        for (const char* name : names) {
            if (slot < save.Header().m_nProfilesInUse)
                ASSERT_EQ(save.RenameProfile(slot, name), CVxSaveData::SAVE_OK);
            else
                ASSERT_EQ(save.CreateProfile(name), CVxSaveData::SAVE_OK);
            ++slot;
        }
        ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
    }

    std::string m_Root;
};

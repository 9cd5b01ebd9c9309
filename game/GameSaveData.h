#pragma once
// The game's save object: the save file layer with the defaults of a new
// profile and of the sound settings.
#include "content/SaveProfile.h"
#include "engine/VxSaveData.h"

class CGameSaveData : public CVxSaveData {
public:
    // Works on g_aStoredProfiles and g_CurrentProfile.
    CGameSaveData();

    void InitProfile(SaveProfile& profile) override;
    void InitSettings(SaveFileHeader& header) override;
    void ClampProfile(SaveProfile& profile) override;
};

#pragma once
// One value of a stored profile, in or past its range, through a short
// battle with the real game application: the value must come back inside
// its range, and the battle must run without a fault. Shared by the battle
// fuzzer and the tests. Run it in the folder that holds the generated DATA.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "battle/model/BattleRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "content/SaveProfile.h"
#include "engine/PageIndices.h"
#include "game/GameApplication.h"
#include "game/GameSaveData.h"
#include "tools/save_fuzz/ProfileFields.h"
#include "tools/stagerun/StageRun.h"

namespace save_fuzz {

// A save whose one profile has opened every stage, with element i of field
// set to value (the checksum matches, so the loader takes it).
inline std::vector<uint8_t> SaveWithValue(const ProfileField& field, int i, int32_t value) {
    std::vector<uint8_t> file(CVxSaveData::FILE_SIZE, 0);
    CGameSaveData defaults;
    for (int slot = 0; slot < CVxSaveData::PROFILE_COUNT; ++slot) {
        SaveProfile p{};
        defaults.InitProfile(p);
        if (slot == 0) {
            std::snprintf(p.m_szName, sizeof p.m_szName, "%s", "Damaged");
            p.m_iFurthestStage = 180;
        }
        std::memcpy(file.data() + slot * CVxSaveData::PROFILE_SIZE, &p, sizeof p);
    }
    WriteElement(file.data(), field, i, value);
    SaveFileHeader h{};
    h.m_nProfilesInUse = 1;
    h.m_iMusicLevel = -5000;
    h.m_iEffectLevel = -2200;
    h.m_bWindowed = 1;
    h.m_iChecksum = CVxSaveData::Checksum(file.data());
    std::memcpy(file.data() + CVxSaveData::HEADER_OFFSET, &h, sizeof h);
    return file;
}

struct BattleStage {
    int stage;
    std::vector<int> hand;  // empty: the stage's own
};

// An ordinary stage held by a hand of fighters, and two mini-games where
// the luck of the drop rolls once divided by zero.
inline const std::vector<BattleStage>& BattleStages() {
    static const std::vector<BattleStage> stages = {{12, {1, 3, 4, 9, 15, 21}}, {152, {}}, {156, {}}};
    return stages;
}

// Plays frames battle frames of stage with the file as the player's save;
// every 60 frames each Machine on the field rolls its drop as its death
// would, so the roll is reached however the battle goes. nullptr when all
// held, else what broke.
inline const char* CheckBattleWith(const std::vector<uint8_t>& file, const ProfileField& field, int i, int32_t value,
                                   const BattleStage& stage, int frames) {
    char path[] = "/tmp/csq-profile-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return "cannot write the profile";
    const bool written = write(fd, file.data(), file.size()) == ssize_t(file.size());
    close(fd);
    if (!written) {
        unlink(path);
        return "cannot write the profile";
    }
    StageRunOptions o;
    o.stage = stage.stage;
    o.difficulty = 2;
    o.seed = 41;
    o.profileFile = path;
    o.hand = stage.hand;
    o.defend = true;
    o.frameLimit = frames;
    StageRun run(o);
    const bool started = run.Start();
    unlink(path);
    if (!started) return "the run did not start";
    // The loaded record, before the runner sets its difficulty and hand.
    const uint8_t* loaded = reinterpret_cast<const uint8_t*>(&g_aStoredProfiles[0]);
    if (ReadElement(loaded, field, i) != LoadedElement(file.data(), field, i, value))
        return "the value was not brought into range";
    if (FieldOutOfRange(loaded)) return "a value of the loaded profile is past its range";
    for (int step = 0; step < frames + 3000; ++step) {
        run.Step();
        if (run.App().m_iCurrentPage != BATTLE_PAGE_INDEX) continue;
        if (run.State() == BATTLE_SUMMARY || run.BattleFrame() >= frames) break;
        if (run.State() != BATTLE_PLAYING || run.BattleFrame() % 60 != 0) continue;
        for (CCom_GameRobot& r : RuleState(run.Model()).m_lstRobots)
            if (r.IsMachine() && r.m_iHp > 0) r.RollItemDrop(run.Model());
    }
    return nullptr;
}

}  // namespace save_fuzz

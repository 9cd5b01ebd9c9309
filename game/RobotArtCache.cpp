// The robot and Machine art caches: the act frames, weapon pictures and
// sounds of the types used in recent battles stay loaded, scored by use.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "content/SaveProfile.h"
#include "engine/ScriptStatement.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"
#include "content/WeaponIds.h"
#include "game/BattleLink.h"
#include "game/GameApplication.h"
#include "platform/ResourceArchive.h"

namespace {

const char* const kWeaponFolder = "Resource\\Weapon\\";
const char* const kRobotSoundFolder = "Resource\\Sound\\SFX\\Robot\\";
const char* const kWeaponSoundFolder = "Resource\\Sound\\SFX\\Weapon\\";

constexpr int kFramesPerPicture = 5;
constexpr int kDyingActExtra = 180;
constexpr int kBoomerangRobot = 12;

std::string Digits(int n, int width) {
    std::string s = std::to_string(n);
    if (int(s.size()) < width) s.insert(0, size_t(width) - s.size(), '0');
    return s;
}

bool Exists(const std::string& name, const std::string& folder) {
    return ResourceFileExists(name.c_str(), folder.c_str());
}

CVxBillboard* NewPicture(const std::string& name, const std::string& folder, bool alpha) {
    auto* b = new CVxBillboard(name.c_str(), folder.c_str(), nullptr);
    b->SetAlphaBlend(alpha);
    return b;
}

// A sound that is there, or null without a message.
CVxSound* NewSoundIfThere(const std::string& name, const std::string& folder, int level) {
    if (!Exists(name, folder)) return nullptr;
    auto* s = new CVxSound(name.c_str(), folder.c_str());
    s->m_iGroup = 0;
    s->ApplyVolume(level);
    return s;
}

bool Contains(const std::vector<int>& ids, int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

bool UsesAdditiveWeapon(WeaponId weapon) {
    return weapon == WeaponId::MineBlast || weapon == WeaponId::SonarPulse || weapon == WeaponId::BomberBlast ||
           weapon == WeaponId::AtomicBlast || weapon == WeaponId::TimeBombBlast;
}

// The rotor's places from a unit folder's script of "ROTOR=act,x,y;", when
// it has one.
void ReadRotorPlaces(const std::string& folder, RobotArt& art) {
    if (!Exists("Rotor.txt", folder)) return;
    VxFile* file = nullptr;
    VxOpenFile("Rotor.txt", folder.c_str(), &file);
    while (file->position < file->size) {
        const ScriptStatement s = ReadScriptStatement(file);
        int act = 0;
        float x = 0.0f, y = 0.0f;
        if (std::strcmp(s.key, "ROTOR") != 0 || std::sscanf(s.value, "%d,%f,%f", &act, &x, &y) != 3) continue;
        if (act < 1 || act > ROBOT_ACTS) continue;
        art.m_abRotor[act - 1] = true;
        art.m_afRotor[act - 1][0] = x;
        art.m_afRotor[act - 1][1] = y;
    }
    delete file;
}

}  // namespace

void ClearRobotArt(RobotArt& art) { std::memset(&art, 0, sizeof art); }

void CGameApplication::LoadUnitArt(int id, RobotArt& art, bool enemy) {
    ClearRobotArt(art);
    GetUnitDefinition(art.m_Unit, id);
    const WeaponId weapon = art.m_Unit.m_iWeapon;
    if (!enemy) {
        GetWeaponReachMask(weapon, art.m_aiReach);
        if (id == kBoomerangRobot && art.m_Unit.m_iUpgradeLevel > 0) {
            int32_t* flat = &art.m_aiReach[0][0];
            for (int cell : {40, 45, 49, 53, 55, 61}) flat[cell] = 2;
        }
    }
    const std::string r = Digits(id, 4);

    if (weapon != WeaponId::None) {
        const std::string w = Digits(int(weapon), 4);
        const bool firstPng = enemy || Exists(w + ".png", kWeaponFolder);
        art.m_pWeapon = NewPicture(w + (firstPng ? ".png" : ".tga"), kWeaponFolder, true);
        bool secondTga = false;
        if (Exists(w + "-2.png", kWeaponFolder)) {
            art.m_pWeapon2 = NewPicture(w + "-2.png", kWeaponFolder, false);
        } else if (Exists(w + "-2.tga", kWeaponFolder)) {
            art.m_pWeapon2 = NewPicture(w + "-2.tga", kWeaponFolder, true);
            secondTga = true;
        }
        if (!enemy && UsesAdditiveWeapon(weapon)) {
            CVxBillboard* glowing = secondTga ? art.m_pWeapon2 : art.m_pWeapon;
            glowing->SetBlendMode(BLEND_ADD, glowing->m_iAlphaRef);
        }
    }

    const std::string actFolder = "Resource\\Robot\\" + r + "\\";
    for (int act = 1; act <= ROBOT_ACTS; ++act) {
        int found = 0;
        for (int k = 1; k <= ROBOT_ACT_FRAMES; ++k) {
            const std::string name = "Act" + std::to_string(act) + "_" + Digits(k, 2) + ".png";
            if (!Exists(name, actFolder)) break;
            art.m_apAct[act - 1][k - 1] = NewPicture(name, actFolder, true);
            ++found;
        }
        art.m_Unit.m_aiUnitWork[act - 1] = found * kFramesPerPicture + (act == 3 ? kDyingActExtra : 0);
    }
    if (enemy) ReadRotorPlaces(actFolder, art);

    const int quiet = -3500;
    art.m_apSound[0] = NewSoundIfThere(r + "-1.ogg", kRobotSoundFolder, enemy ? quiet : -1000);
    for (int i = 1; i <= 2; ++i) {
        if (weapon != WeaponId::None)
            art.m_apSound[i] = NewSoundIfThere("W" + Digits(int(weapon), 4) + "-" + std::to_string(i) + ".ogg",
                                               kWeaponSoundFolder, quiet);
        else art.m_apSound[i] = NewSoundIfThere(r + "-" + std::to_string(i + 1) + ".ogg", kRobotSoundFolder, quiet);
    }
}

void CGameApplication::ReleaseCacheSlot(ArtCacheSlot& slot, bool /*enemy*/) {
    RobotArt& art = slot.m_Art;
    for (auto& act : art.m_apAct)
        for (CVxBillboard* frame : act) delete frame;
    delete art.m_pWeapon;
    delete art.m_pWeapon2;
    for (CVxSound* sound : art.m_apSound) delete sound;
    ClearRobotArt(art);
    slot.m_iId = -1;
}

void CGameApplication::LoadRobotResources(int robotId, int slot) {
    if (slot < 0 || slot >= ROBOT_CACHE_SLOTS) return;
    LoadUnitArt(robotId, m_aRobotCache[slot].m_Art, false);
}

void CGameApplication::ReleaseRobotResources(int slot) {
    if (slot < 0 || slot >= ROBOT_CACHE_SLOTS) return;
    ReleaseCacheSlot(m_aRobotCache[slot], false);
}

void CGameApplication::LoadEnemyResources(int machineType, int slot) {
    if (slot < 0 || slot >= ENEMY_CACHE_SLOTS) return;
    LoadUnitArt(machineType, m_aEnemyCache[slot].m_Art, true);
}

void CGameApplication::ReleaseEnemyResources(int slot) {
    if (slot < 0 || slot >= ENEMY_CACHE_SLOTS) return;
    ReleaseCacheSlot(m_aEnemyCache[slot], true);
}

bool CGameApplication::FillCacheSlot(ArtCacheSlot* cache, int slots, int* scores, int scoreBase, int id,
                                     const std::vector<int>& inHand, bool enemy, int& slotOut) {
    for (int s = 0; s < slots; ++s) {
        if (cache[s].m_iId != id) continue;
        int& score = scores[id - scoreBase];
        score = std::min(score + 1, ART_SCORE_MAX);
        slotOut = s;
        return true;
    }
    int slot = -1;
    for (int s = 0; s < slots && slot == -1; ++s)
        if (cache[s].m_iId == -1) slot = s;
    if (slot == -1) {
        int lowest = 10;
        for (int s = 0; s < slots; ++s) {
            const int cached = cache[s].m_iId;
            if (Contains(inHand, cached)) continue;
            const int score = scores[cached - scoreBase];
            if (score < lowest) {
                lowest = score;
                slot = s;
            }
        }
        // Every cached type is in use: nothing may be evicted.
        if (slot == -1) return false;
        ReleaseCacheSlot(cache[slot], enemy);
    }
    LoadUnitArt(id, cache[slot].m_Art, enemy);
    int& score = scores[id - scoreBase];
    if (score < 4) score = std::max(score, 3);
    cache[slot].m_iId = id;
    slotOut = slot;
    return true;
}

void CGameApplication::LoadPlayerRobotResources(const HandSlot (&hand)[HAND_SLOT_COUNT], RobotArt* records) {
    std::vector<int> inHand;
    for (const HandSlot& h : hand)
        if (h.m_iCard >= 0 && h.m_iCard < ROBOT_TYPES) inHand.push_back(h.m_iCard);

    for (int id = 0; id < ROBOT_TYPES; ++id)
        if (!Contains(inHand, id)) m_aiRobotScore[id] = std::max(m_aiRobotScore[id] - 1, 0);

    // Upgraded since it was loaded: its art and sounds come again.
    for (int s = 0; s < ROBOT_CACHE_SLOTS; ++s) {
        const int id = m_aRobotCache[s].m_iId;
        if (id >= 0 && id < ROBOT_TYPES &&
            m_aRobotCache[s].m_Art.m_Unit.m_iUpgradeLevel != g_CurrentProfile.m_aRobotUpgrade[id].m_iLevel)
            ReleaseRobotResources(s);
    }

    for (int i = 0; i < HAND_SLOT_COUNT; ++i) {
        const int card = hand[i].m_iCard;
        if (card < 0 || card >= ROBOT_TYPES) continue;
        int slot = -1;
        RobotArt* record = records ? &records[i] : nullptr;
        if (FillCacheSlot(m_aRobotCache, ROBOT_CACHE_SLOTS, m_aiRobotScore, 0, card, inHand, false, slot)) {
            if (record) *record = m_aRobotCache[slot].m_Art;
        } else if (record) {
            // No slot to be had: the card plays without pictures or sounds.
            ClearRobotArt(*record);
            GetUnitDefinition(record->m_Unit, card);
        }
    }

    if (m_iCurrentStage < 151)
        for (int id : inHand) g_CurrentProfile.m_abRobotNew[id] = 0;
}

void CGameApplication::LoadEnemyRobotResources(const UnitDefinition (&records)[ENEMY_RECORD_COUNT],
                                               RobotArt* artRecords) {
    std::vector<int> inStage;
    for (const UnitDefinition& r : records)
        if (r.m_iType >= FIRST_MACHINE_TYPE && r.m_iType <= LAST_MACHINE_TYPE) inStage.push_back(r.m_iType);

    for (int type = FIRST_MACHINE_TYPE; type <= LAST_MACHINE_TYPE; ++type) {
        int& score = m_aiEnemyScore[type - FIRST_MACHINE_TYPE];
        if (!Contains(inStage, type)) score = std::max(score - 1, 0);
    }

    for (int i = 0; i < ENEMY_RECORD_COUNT; ++i) {
        const int type = records[i].m_iType;
        if (type < FIRST_MACHINE_TYPE || type > LAST_MACHINE_TYPE) continue;
        int slot = -1;
        bool cached = false;
        for (const ArtCacheSlot& s : m_aEnemyCache) cached = cached || s.m_iId == type;
        RobotArt* record = artRecords ? &artRecords[i] : nullptr;
        if (!FillCacheSlot(m_aEnemyCache, ENEMY_CACHE_SLOTS, m_aiEnemyScore, FIRST_MACHINE_TYPE, type, inStage, true,
                           slot)) {
            if (record) {
                ClearRobotArt(*record);
                GetUnitDefinition(record->m_Unit, type);
            }
            continue;
        }
        RobotArt& art = m_aEnemyCache[slot].m_Art;
        if (cached) {
            // The stage may make the type tougher; the act lengths come from
            // the pictures and stay.
            int32_t acts[UNIT_WORK_ACTS];
            std::memcpy(acts, art.m_Unit.m_aiUnitWork, sizeof acts);
            art.m_Unit = UnitDefinition{};
            GetUnitDefinition(art.m_Unit, type);
            std::memcpy(art.m_Unit.m_aiUnitWork, acts, sizeof acts);
        }
        if (record) *record = art;
    }
}

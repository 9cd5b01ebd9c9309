#pragma once
// Every value of a stored profile with the range play can leave it in, as
// the checks of the save loader and of battles fed with damaged profiles
// read them: by offset in the 1692-byte record, so a check sees the file's
// bytes and not the names the code gives them.
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace save_fuzz {

struct ProfileField {
    const char* name;
    int offset;  // of the first element in the record
    int width;   // 4: int32, 1: byte flag
    int count;   // elements
    int stride;  // bytes from one element to the next
    int32_t low, high;
    // A value outside the range becomes this instead of the nearest end (a
    // card no hand holds leaves its slot empty).
    bool outsideEmpties = false;
};

constexpr int32_t kLargeCount = 100000000;

// Upper ends of the forty achievement counters: the target of one counted
// a step at a time, 10000 where the smallest value is kept, the 50 cells of
// the field, and no end short of overflow for the parts collected and the
// best of a stage.
constexpr int32_t kAchievementHigh[40] = {
    8,    8,    8,           kLargeCount, 40,    32,          1,     1,           1,    100,   1000, 2500, 100, 1000,
    2500, 100,  1000,        2500,        50,    50,          1000,  3000,        7500, 100,   100,  200,  100, 300,
    100,  2000, kLargeCount, 10000,       10000, kLargeCount, 10000, kLargeCount, 50,   54000, 450,  40};
// The last level of each laboratory item.
constexpr int32_t kLabItemHigh[20] = {5, 8, 8, 8, 5, 5, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

// Achievement counters and laboratory items differ element by element, so
// each is a field of its own.
inline const std::vector<ProfileField>& ProfileFields() {
    static const std::vector<ProfileField> fields = [] {
        std::vector<ProfileField> f = {
            {"furthest stage", 12, 4, 1, 4, 1, 180},
            {"stage stars", 16, 4, 150, 4, 0, 3},
            {"metal parts", 616, 4, 1, 4, 0, 999990},
            {"story seen", 620, 1, 3, 1, 0, 1},
            {"hint shown", 623, 1, 8, 1, 0, 1},
            {"life booster", 632, 4, 1, 4, 0, 8},
            {"energy booster", 636, 4, 1, 4, 0, 8},
            {"luck booster", 640, 4, 1, 4, 0, 8},
            {"advance fusion", 644, 4, 1, 4, 0, 5},
            {"advance production", 648, 4, 1, 4, 0, 5},
            {"battle start level", 652, 4, 1, 4, 0, 0},
            {"card slots", 656, 4, 1, 4, 2, 10},
            {"difficulty", 660, 4, 1, 4, 0, 2},
            {"robot unlocked", 664, 1, 40, 1, 0, 1},
            {"robot new", 704, 1, 40, 1, 0, 1},
            {"robot upgrade level", 1064, 4, 40, 8, 0, 1},
            {"robot upgrade available", 1068, 4, 40, 8, 0, 1},
            {"feature unlocked", 1384, 1, 8, 1, 0, 1},
            {"machine met", 1392, 1, 32, 5, 0, 1},
            {"machine variant met", 1393, 1, 128, 1, 0, 1},  // four bytes after each met byte
            {"last deck", 1552, 4, 10, 4, -1, 39, true},
        };
        static std::string names[80];
        for (int i = 0; i < 40; ++i) {
            names[i] = "achievement " + std::to_string(i);
            f.push_back({names[i].c_str(), 744 + 4 * i, 4, 1, 4, 0, kAchievementHigh[i]});
        }
        for (int i = 0; i < 20; ++i) {
            names[40 + 2 * i] = "lab item " + std::to_string(i) + " bought";
            names[41 + 2 * i] = "lab item " + std::to_string(i) + " offered";
            f.push_back({names[40 + 2 * i].c_str(), 904 + 8 * i, 4, 1, 8, 0, kLabItemHigh[i]});
            f.push_back({names[41 + 2 * i].c_str(), 908 + 8 * i, 4, 1, 8, 0, kLabItemHigh[i]});
        }
        return f;
    }();
    return fields;
}

// Offset of element i of a field; the variant bytes skip each met byte.
inline int ElementOffset(const ProfileField& f, int i) {
    if (f.offset == 1393) return 1393 + (i / 4) * 5 + i % 4;
    return f.offset + i * f.stride;
}

inline int32_t ReadElement(const uint8_t* record, const ProfileField& f, int i) {
    const int at = ElementOffset(f, i);
    if (f.width == 1) return record[at];
    int32_t v;
    std::memcpy(&v, record + at, 4);
    return v;
}

inline void WriteElement(uint8_t* record, const ProfileField& f, int i, int32_t v) {
    const int at = ElementOffset(f, i);
    if (f.width == 1) record[at] = uint8_t(v);
    else std::memcpy(record + at, &v, 4);
}

// What a value read from a file must have become.
inline int32_t Clamped(const ProfileField& f, int32_t v) {
    if (v >= f.low && v <= f.high) return v;
    if (f.outsideEmpties) return f.low;
    return v < f.low ? f.low : f.high;
}

// A byte flag holds any byte in a file: every one but 0 reads as set.
inline int32_t ClampedElement(const ProfileField& f, int32_t v) {
    if (f.width == 1) return v != 0;
    return Clamped(f, v);
}

// The levels the first six laboratory items stand for: the card slots, the
// three boosters and the two advances.
constexpr int kLabRecordsOffset = 904;
constexpr int kLabLevelOffset[6] = {656, 632, 636, 640, 644, 648};
constexpr int32_t kSlotsByUnlockHigh = 5;
constexpr int32_t kFirstSlots = 2;

inline int32_t ClampTo(int32_t v, int32_t low, int32_t high) { return v < low ? low : v > high ? high : v; }

// What element i of field must have become once the record (as written,
// every other value in range) is loaded: its value brought into range, and
// a laboratory record made to agree with its level. The levels bought of a
// booster or an advance are its level; the card slots' lie within the slots
// less kSlotsByUnlockHigh and less the first two; a level bought was offered,
// and the next with it.
inline int32_t LoadedElement(const uint8_t* record, const ProfileField& f, int i, int32_t v) {
    const int32_t clamped = ClampedElement(f, v);
    const int at = ElementOffset(f, i) - kLabRecordsOffset;
    const int item = at / 8;
    if (at < 0 || item >= 6) return clamped;
    int32_t level, bought;
    std::memcpy(&level, record + kLabLevelOffset[item], 4);
    std::memcpy(&bought, record + kLabRecordsOffset + 8 * item, 4);
    bought =
        item == 0 ? ClampTo(at % 8 == 0 ? clamped : bought, level - kSlotsByUnlockHigh, level - kFirstSlots) : level;
    bought = ClampTo(bought, 0, kLabItemHigh[item]);
    if (at % 8 == 0) return bought;
    return bought > 0 && clamped <= bought ? ClampTo(bought + 1, 0, kLabItemHigh[item]) : clamped;
}

// The first field and element of record out of its range, or nullptr.
inline const char* FieldOutOfRange(const uint8_t* record) {
    for (const ProfileField& f : ProfileFields())
        for (int i = 0; i < f.count; ++i) {
            const int32_t v = ReadElement(record, f, i);
            if (v < f.low || v > f.high) return f.name;
        }
    return nullptr;
}

}  // namespace save_fuzz

#include "frontend/MenuRules.h"

#include <algorithm>

#include "content/StageNumbering.h"

namespace {

constexpr int kLastOrdinaryStage = 150;
constexpr int kStagesPerEpisode = 50;
constexpr int kStagesPerArea = 10;
constexpr int kAreasPerEpisode = 5;

}  // namespace

int OrdinaryFurthestStage(int furthest) { return OrdinaryStageOf(furthest); }

int EpisodeOfProgress(int furthest) { return GetStagePosition(furthest) / kStagesPerEpisode + 1; }

int OpenMiniGameCount(int furthest) {
    if (furthest <= 5) return 0;
    if (furthest > kLastOrdinaryStage) return furthest - kLastOrdinaryStage;
    // Back along the order of play to the last mini-game before it.
    int s = furthest;
    while (s <= kLastOrdinaryStage && s > 1) s = (s - 1) % 5 == 0 ? kLastOrdinaryStage + (s - 1) / 5 : s - 1;
    return s > kLastOrdinaryStage ? s - kLastOrdinaryStage : 0;
}

int OpenAreaCount(int furthest, int episode) {
    const int x = GetStagePosition(furthest) / kStagesPerArea;
    return std::min(x + 1 - kAreasPerEpisode * episode, kAreasPerEpisode);
}

int OpenStageCount(int furthest, int episode, int area) {
    const int g = OrdinaryFurthestStage(furthest);
    return std::min(g - kStagesPerArea * (kAreasPerEpisode * episode + area), kStagesPerArea);
}

bool IsNewestStageButton(int furthest, int episode, int area, int index) {
    if (furthest > kLastOrdinaryStage) return false;
    const int e = furthest <= 50 ? 0 : (furthest <= 100 ? 1 : 2);
    const int f = furthest - kStagesPerEpisode * e;
    const int q = f / kStagesPerArea;
    const int r = f - kStagesPerArea * q;
    if (e != episode) return false;
    return (q == area && r == index + 1) || (r == 0 && q == area + 1 && index == 9);
}

int PendingMiniGameButton(int furthest, bool episode3Finished, int episode, int area) {
    if (furthest <= kLastOrdinaryStage || episode3Finished) return -1;
    const int first = kStagesPerArea * (kAreasPerEpisode * episode + area) + 1;
    const int i = OrdinaryFurthestStage(furthest) - first;
    return i >= 0 && i < kStagesPerArea ? i : -1;
}

int MissionButtonStage(int furthest, bool episode3Finished, int episode, int area, int index) {
    if (PendingMiniGameButton(furthest, episode3Finished, episode, area) == index) return furthest;
    return kStagesPerArea * (kAreasPerEpisode * episode + area) + index + 1;
}

int MiniGameGroupCount(int episode2Finished, int episode3Finished) {
    if (episode3Finished >= 1) return 3;
    return episode2Finished >= 1 ? 2 : 1;
}

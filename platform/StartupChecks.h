#pragma once
// What must hold before the game may start: a save folder, one running copy,
// the two files it cannot run without, and a video card that can show the game.
#include <cstddef>
#include <cstdint>

// Cached memory figures; 0 means not asked yet.
extern uint32_t g_nVideoMemory;         // bytes
extern uint32_t g_nTotalVisibleMemory;  // kilobytes

// The file in the save folder whose lock marks the running copy.
constexpr const char* INSTANCE_LOCK_NAME = "Instance.lock";

// The longest name of a file the game keeps in the save folder.
constexpr size_t SAVE_FOLDER_LONGEST_NAME = 25;

// The save folder has an absolute home, can be made and entered, and the
// paths of its files stay within the system's limit; shows its own message
// (what and why) and answers false otherwise.
bool CheckSaveFolder();
// True when another copy runs on the same save folder: it holds the lock on
// the folder's lock file. The first call that takes the lock keeps it for
// the rest of the process. A lock file that cannot be used is reported with
// its path and reason and does not count as another copy.
bool IsAnotherInstanceRunning();
// Whether this copy may still write the save folder: the lock it took is
// still on the folder at that name, or, when the folder was removed (and
// perhaps made again) under it, no other copy holds the folder there now (it
// is then taken again). True when this process never took the lock.
bool SaveFolderStillOurs();
// Shows its own message and answers false when a check fails.
bool CheckSystemRequirements();
// Memory probes. A figure the system cannot tell is answered as the largest
// value, so that an unknown never reads as too little; it is not cached.
uint32_t QueryVideoMemory();
uint32_t QueryTotalVisibleMemory();
// Forgets the cached figures (tests).
void ResetMemoryProbes();

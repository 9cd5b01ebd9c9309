#include "platform/StartupChecks.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/host/Display.h"
#include "platform/host/Files.h"
#include "platform/host/InstanceLock.h"
#include "platform/host/MessageBox.h"
#include "platform/host/SystemInfo.h"
#include "platform/host/UserFolders.h"

uint32_t g_nVideoMemory = 0;
uint32_t g_nTotalVisibleMemory = 0;

namespace {

uint32_t Probe(int64_t figure, uint32_t& cache) {
    if (cache != 0) return cache;
    if (figure < 0) return UINT32_MAX;  // unknown: never a shortfall
    // Figures beyond 32 bits keep their meaning (plenty) instead of wrapping.
    cache = figure > int64_t(UINT32_MAX) ? UINT32_MAX : figure == 0 ? 1u : uint32_t(figure);
    return cache;
}

void Fatal(const std::string& text) { host::ShowMessageBox(text, "Fatal error!", host::MB_OK); }

// Held until the process ends; the kernel lets go of it then.
host::InstanceLock s_lock;
// The lock was taken once: from then on every save checks it.
bool s_bGuarding = false;
std::string s_sLockPath;

bool FileExists(const char* name) {
    FILE* f = std::fopen(name, "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

}  // namespace

bool CheckSaveFolder() {
    const std::string root = host::UserDataRoot();
    if (root.empty()) {
        Fatal(
            "There is no folder for the save data: none of APPDATA, XDG_DATA_HOME and HOME names an absolute "
            "folder.");
        return false;
    }
    const std::string folder = root + "Orvendale/Cogsquall/";
    std::string reason;
    // A folder on the way that cannot be entered (left by a start as another
    // user) may well hold the save: it is not one that cannot be created.
    int fault = host::FolderFault(folder, SAVE_FOLDER_LONGEST_NAME);
    if (fault != EACCES) {
        if (!host::CreateFolders(folder, &reason)) {
            Fatal("The save folder cannot be created:\n" + folder + "\n" + reason);
            return false;
        }
        fault = host::FolderFault(folder, SAVE_FOLDER_LONGEST_NAME);
    }
    // A folder there is not yet one the game can use: nothing in it is
    // damaged, so that is what the player hears, once.
    if (fault == 0) return true;
    Fatal((fault == ENAMETOOLONG ? "The save folder's path is too long for the files kept in it:\n"
                                 : "The save folder cannot be entered:\n") +
          folder + "\n" + std::strerror(fault));
    return false;
}

bool IsAnotherInstanceRunning() {
    if (s_lock.Held()) return false;
    const std::string root = host::UserDataRoot();
    // No save folder, no save to guard: CheckSaveFolder says why.
    if (root.empty()) return false;
    const std::string folder = root + "Orvendale/Cogsquall/";
    if (!host::CreateFolders(folder)) return false;
    const std::string path = folder + INSTANCE_LOCK_NAME;
    const host::InstanceLock::Result result = s_lock.Acquire(path);
    if (result == host::InstanceLock::Result::HeldElsewhere) return true;
    s_bGuarding = s_lock.Held();
    s_sLockPath = path;
    if (result == host::InstanceLock::Result::Taken) return false;
    // Nobody holds it: no other copy is known to run, and the player learns
    // which file to mend.
    host::ShowMessageBox(
        "The file that keeps a second copy of Cogsquall from running cannot be used:\n" + path + "\n" + s_lock.Reason(),
        "Instance check failed", host::MB_ICONWARNING);
    return false;
}

bool SaveFolderStillOurs() {
    if (!s_bGuarding) return true;
    if (s_lock.Held() && s_lock.StillAtItsName()) return true;
    // Gone from under us: this copy goes on saving only where no other holds it.
    return s_lock.Acquire(s_sLockPath) != host::InstanceLock::Result::HeldElsewhere;
}

uint32_t QueryVideoMemory() { return Probe(host::GetSystemInfo().VideoMemoryBytes(), g_nVideoMemory); }

uint32_t QueryTotalVisibleMemory() { return Probe(host::GetSystemInfo().TotalMemoryKB(), g_nTotalVisibleMemory); }

void ResetMemoryProbes() {
    g_nVideoMemory = 0;
    g_nTotalVisibleMemory = 0;
}

bool CheckSystemRequirements() {
    if (!FileExists("DATA")) {
        Fatal("Resource file not found : DATA");
        return false;
    }
    if (!FileExists("BIN")) {
        Fatal("Resource file not found : BIN");
        return false;
    }
    const uint32_t video = QueryVideoMemory();
    if (video < 256000000u) {
        bool has800x600 = false;
        host::VideoSystem& vs = host::GetVideoSystem();
        if (vs.Init()) {
            for (const host::DisplayMode& m : vs.AllModes(0))
                if (m.width == 800 && m.height == 600) has800x600 = true;
        }
        if (!has800x600) {
            Fatal("VGA card not supported");
            return false;
        }
    }
    if (video < 64000000u) {
        Fatal("Not enough VDO memory");
        return false;
    }
    return true;
}

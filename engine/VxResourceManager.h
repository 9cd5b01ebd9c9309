#pragma once
// Owns everything one owner (a page, the application, an effect) loads; what is
// created through it or appended to its lists is destroyed with it.
#include <vector>

#include "engine/VxResource.h"

class CVxObject;
class CVxButton;
class CVxSound;
class CVxTexture;
class CVxBillboard;
class CVxFont;
struct CustomType;

// Set by PauseSounds and cleared by ResumeSounds of any manager.
extern bool g_bAllSoundsPaused;
// The sound layer's master level: 0, or -10000 while muted.
extern int g_iMasterVolume;

class CVxResourceManager : public CVxResource {
public:
    CVxResourceManager();
    ~CVxResourceManager() override;
    CVxResourceManager(const CVxResourceManager&) = delete;
    CVxResourceManager& operator=(const CVxResourceManager&) = delete;

    // A new texture (it loads itself), owned here and given the manager's owner id.
    CVxTexture* CreateTexture(const char* name, const char* folder);
    // A new sound, given the owner id, then loaded; owned here.
    CVxSound* CreateSound(const char* name, const char* folder);
    // A billboard of the named picture, or on a shared texture; owned here.
    CVxBillboard* CreateBillboard(const char* name, const char* folder, CVxTexture* sharedTexture);
    // The state pictures base + "NORMAL."/"OVER."/"PRESS."/"DISABLE." + "png"
    // for mask bits 1, 2, 4 and 8; the others stay null.
    void CreateButtonStates(CustomType& out, const char* baseName, const char* folder, int mask);
    // Null (still listed) after an error box when a name or folder is missing.
    CVxFont* CreateFont(const char* name, const char* folder);

    // Stops every playing sound keeping its position and marks it paused.
    void PauseSounds();
    // Plays every paused sound on from where it stopped (once, not looping).
    void ResumeSounds();
    // Stops and rewinds every playing sound.
    void StopSounds();
    // Applies the levels again to every playing sound, restarting it so that
    // the new level is heard at once.
    void RefreshSoundVolumes();

    // Every list holds owned pointers and may hold nulls, which are skipped.
    std::vector<CVxObject*> m_lstObjects;  // billboards, button state pictures
    std::vector<CVxTexture*> m_lstTextures;
    std::vector<CVxSound*> m_lstSounds;
    bool m_bSoundsPaused = false;
    std::vector<CVxButton*> m_lstButtons;
    std::vector<CVxObject*> m_lstFonts;  // bitmap fonts
    std::vector<CVxObject*> m_lstExtra;  // further drawables
};

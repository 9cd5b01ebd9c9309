#pragma once
// Owns everything one owner (a page, the application, an effect) loads; what is
// created through it or appended to its lists is destroyed with it.
#include <vector>

#include "engine/VxResource.h"

class CVxObject;
class CVxButton;

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

    void PauseSounds();
    void ResumeSounds();
    void StopSounds();
    void RefreshSoundVolumes();

    // Every list holds owned pointers and may hold nulls, which are skipped.
    std::vector<CVxObject*> m_lstObjects;     // billboards, button state pictures
    std::vector<CVxResource*> m_lstTextures;  // textures
    std::vector<CVxResource*> m_lstSounds;    // sounds
    bool m_bSoundsPaused = false;
    std::vector<CVxButton*> m_lstButtons;
    std::vector<CVxObject*> m_lstFonts;   // bitmap fonts
    std::vector<CVxObject*> m_lstExtra;   // further drawables
};

#pragma once
// The one headless harness. Everything runs on the headless host (virtual
// clock, recording message boxes, silent audio device) and, where drawing
// matters, on the recording graphics device:
//   harness::Harness  an engine application with fake pages, frame stepping and input;
//   harness::World    an application drawing into a recording device, with a small
//                     generated archive and the sound manager (widgets, sounds, textures);
//   FrameworkFixture  the framework object on the headless video system;
//   SaveFolderTest / GameAppTest / PopupTest  a fresh save folder, a started game
//                     application on the build's DATA, and its pop-ups with stand-in pages;
//   harness::FontProbe  the game's own font from DATA, to see how boards lay texts out;
//   harness::ScopedLink / AchievementTest  content tests with a fixed game link.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "battle/effects/Effect_Summary.h"
#include "battle/model/BattleRules.h"
#include "battle/page/PageGame.h"
#include "content/GameLink.h"
#include "engine/DrawFrame.h"
#include "engine/InputRecord.h"
#include "engine/PageIndices.h"
#include "platform/Random.h"
#include "engine/VxApplication.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxEffect.h"
#include "engine/VxFont.h"
#include "engine/VxPage.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "engine/VxTexture.h"
#include "engine/VxXApplication.h"
#include "frontend/PageMenu.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "game/Effect_SwitchPage.h"
#include "game/PopupDrawing.h"
#include "game/GameApplication.h"
#include "game/GameSaveData.h"
#include "main/GamePages.h"
#include "content/SaveProfile.h"
#include "platform/AppActive.h"
#include "platform/D3DApplication.h"
#include "platform/FrameworkTimer.h"
#include "engine/framework/MyD3DApplication.h"
#include "engine/framework/RenderTargets.h"
#include "platform/ResourceArchive.h"
#include "platform/SoundManager.h"
#include "platform/SoundVolumes.h"
#include "platform/StartupChecks.h"
#include "platform/ZipPassword.h"
#include "platform/host/Display.h"
#include "platform/host/Headless.h"
#include "platform/host/MessageBox.h"
#include "platform/host/RecordingDevice.h"
#include "platform/host/WindowMessage.h"
#include "frontend/PageStory.h"
#include "tools/assetpack/ZipWriter.h"

namespace harness {

using Files = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

inline std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

// A folder of its own under the system's temporary folder, gone with the object.
class TempDir {
public:
    // base: where to make it when that folder exists, else /tmp.
    explicit TempDir(const std::string& base = "/tmp") {
        std::string pattern = base + "/csq-test-XXXXXX";
        char* made = mkdtemp(pattern.data());
        if (!made) {
            pattern = "/tmp/csq-test-XXXXXX";
            made = mkdtemp(pattern.data());
        }
        EXPECT_NE(made, nullptr);
        path = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    std::filesystem::path path;
};

// A sealed archive of the files, each folder entered before its files.
inline std::string WriteArchive(const std::string& path, const Files& files) {
    ZipWriter zip;
    ZipWriteOptions sealed;
    sealed.password = g_szZipPassword;
    std::vector<std::string> folders{"Resource/"};
    zip.AddDirectory("Resource/");
    for (const auto& f : files) {
        const std::string folder = f.first.substr(0, f.first.rfind('/') + 1);
        if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
            zip.AddDirectory(folder);
            folders.push_back(folder);
        }
        zip.AddFile(f.first, f.second, sealed);
    }
    EXPECT_TRUE(zip.WriteTo(path));
    return path;
}

// Application with the platform hooks recorded instead of reaching a device,
// except the cull mode, which reaches the device when there is one.
class TestApplication : public CVxXApplication {
public:
    void DrawLoadingScreen() override { ++loadingScreens; }
    void OnBeginFrame() override { log.push_back("begin"); }
    void OnBeginFrameLate() override {}
    void OnEndFrame() override { log.push_back("end"); }
    void OnFrameWithoutPage() override { log.push_back("nopage"); }
    void ApplyCamera() override { ++cameraApplied; }
    void SetLight(int, bool) override {}
    void SetAmbientColor(float, float, float, float) override {}
    void EnableLighting(bool) override {}
    void DrawTextAt(const char* text, int x, int y, float, float, float, float) override {
        texts.push_back({text ? text : "", {x, y}});
    }
    void SetCullMode(int mode) override {
        CVxObject::SetCullMode(mode);
        if (!m_pDevice) return;
        if (mode == CULL_NONE) m_pDevice->SetRenderState(host::RS_CULLMODE, host::CULL_NONE);
        if (mode == CULL_CW) m_pDevice->SetRenderState(host::RS_CULLMODE, host::CULL_CW);
        if (mode == CULL_CCW) m_pDevice->SetRenderState(host::RS_CULLMODE, host::CULL_CCW);
    }

    std::vector<std::string> log;
    int cameraApplied = 0;
    std::atomic<int> loadingScreens{0};
    std::vector<std::pair<std::string, std::pair<int, int>>> texts;
};

// A page that logs every handler as "<page>:<handler>:<sub-screen>".
class FakePage : public CVxPage {
public:
    FakePage(std::string name, std::vector<std::string>* log) : m_name(std::move(name)), m_log(log) {}

    int Load() override { return Note("Load", -1), 0; }
    int Unload() override { return Note("Unload", -1), 0; }
    void LoadScreen(int k) override { Note("LoadScreen", k); }
    void ReleaseScreen(int k) override { Note("ReleaseScreen", k); }
    int UpdateScreen(int k) override { return Note("Update", k), 0; }
    int RenderScreen(int k) override { return Note("Render", k), 0; }
    int RenderScreenOverlay(int k) override { return Note("Overlay", k), 0; }
    int HandleScreenInput(int k) override { return Note("Input", k), 0; }

    int Count(const std::string& entry) const {
        int n = 0;
        for (const auto& e : *m_log)
            if (e == m_name + ":" + entry) ++n;
        return n;
    }

private:
    void Note(const char* what, int k) {
        std::string e = m_name + ":" + what;
        if (k >= 0) e += ":" + std::to_string(k);
        m_log->push_back(e);
    }
    std::string m_name;
    std::vector<std::string>* m_log;
};

// A button that counts how often the page drives and draws it.
class CountingButton : public CVxButton {
public:
    explicit CountingButton(int tag) : CVxButton(tag) {}
    void ProcessInput() override { ++driven; }
    void Render() override { ++drawn; }
    int driven = 0;
    int drawn = 0;
};

// An engine application with fake pages. Page switches run inline unless a
// test turns the workers back on.
class Harness {
public:
    Harness() { app.m_bRunWorkersInline = true; }
    ~Harness() {
        app.JoinWorkerThreads();
        pages.clear();  // pages leave the table before the application goes
    }

    FakePage& AddPage(const std::string& name) {
        pages.push_back(std::make_unique<FakePage>(name, &pageLog));
        return *pages.back();
    }

    // Marks the application initialised and loads the current page, as the
    // device's resource creation does.
    void Start() { app.LoadResources(); }

    // One frame as the render road runs it: virtual time moves on, Tick; while a
    // switch is pending only the loading screen; otherwise the input step and
    // the page's frame. The frame that starts a switch draws only the loading
    // screen even when the switch ran inline, as it does with the worker.
    void Step() {
        host.clock.Advance(16666667);
        bool wasPending = app.m_bSwitchPending;
        app.Tick();
        if (wasPending || app.m_bSwitchPending) {
            app.DrawLoadingScreen();
            if (wasPending && !app.m_bSwitchPending) ++switchesRun;
            return;
        }
        app.ProcessInput();
        app.Frame();
    }
    void Steps(int n) {
        for (int i = 0; i < n; ++i) Step();
    }

    // Sets device 0's cursor in logical pixels.
    void MoveCursor(int x, int y) {
        app.m_aInput[0].m_iCursorX = x;
        app.m_aInput[0].m_iCursorY = y;
    }
    // Key and button messages as the window delivers them.
    void Send(uint32_t message, uintptr_t wParam = 0) { app.HandleWindowInput(message, wParam, nullptr); }
    void KeyDown(int key) { Send(host::WM_KEYDOWN, uintptr_t(key)); }
    void KeyUp(int key) { Send(host::WM_KEYUP, uintptr_t(key)); }
    void Click(int x, int y) {
        MoveCursor(x, y);
        Send(host::WM_LBUTTONDOWN);
    }

    host::HeadlessHost host;
    TestApplication app;
    std::vector<std::string> pageLog;
    std::vector<std::unique_ptr<FakePage>> pages;
    int switchesRun = 0;
};

// An application drawing into a recording device (800 × 600 back buffer,
// 880 × 640 logical screen), with an archive of the given files, the sound
// manager on the headless audio device and the sound levels at their defaults.
class World {
public:
    explicit World(const Files& files = {}) {
        app.m_pDevice = &device;
        app.m_iScreenWidth = 880;
        app.m_iScreenHeight = 640;
        g_bStageRedraw = false;
        g_bScreenDimOn = false;
        g_fScreenDim = 1.0f;
        g_bLooseFiles = false;
        g_iEffectVolume = DEFAULT_EFFECT_VOLUME;
        g_iMusicVolume = DEFAULT_MUSIC_VOLUME;
        g_iGroup2Volume = 0;
        g_iMasterVolume = 0;
        g_fGroup0VolumeScale = 1.0f;
        g_bAllSoundsPaused = false;
        g_bAppActive = true;
        archive.OpenResourceArchive(WriteArchive(dir / "DATA", files));
        sounds.Initialize();
        g_pSoundManager = &sounds;
    }
    ~World() {
        g_pSoundManager = nullptr;
        g_bScreenDimOn = false;
        g_fScreenDim = 1.0f;
        g_bAllSoundsPaused = false;
        g_bAppActive = true;
        g_bLooseFiles = false;
        g_iMasterVolume = 0;
    }
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Samples heard since the last call, left channel only.
    std::vector<int16_t> HeardLeft() {
        auto all = host.audio.TakeMixed();
        std::vector<int16_t> left;
        for (size_t i = 0; i < all.size(); i += 2) left.push_back(all[i]);
        return left;
    }

    TempDir dir;
    host::HeadlessHost host;
    host::RecordingDevice device{800, 600};

private:
    // Device textures let go while the application goes are freed before the device.
    struct ReleasedTextureFlush {
        ~ReleasedTextureFlush() { CVxTexture::FreeReleasedTextures(); }
    } m_flush;

public:
    TestApplication app;
    ResourceArchive archive;
    SoundManager sounds;
};

// The volume the audio device plays a sound's first buffer at.
inline int32_t BufferVolumeOf(CVxSound& s) { return s.m_pSound->GetDevice()->GetVolume(s.m_pSound->GetBuffer(0)); }

// Installs a fixed game link for content tests while alive.
class ScopedLink {
public:
    ScopedLink() { SetContentLink(&link); }
    ~ScopedLink() { SetContentLink(nullptr); }
    ScopedLink(const ScopedLink&) = delete;
    ScopedLink& operator=(const ScopedLink&) = delete;

    void Battle(int stage) { Set(BATTLE_PAGE_INDEX, false, stage); }
    void SwitchingToBattle(int stage) {
        Set(-1, true, stage);
        link.m_iPendingPage = BATTLE_PAGE_INDEX;
    }
    void Menu(int stage) { Set(1, false, stage); }

    CFixedContentLink link;

private:
    void Set(int page, bool pending, int stage) {
        link.m_iCurrentPage = page;
        link.m_bSwitchPending = pending;
        link.m_iCurrentStage = stage;
    }
};

// Records what reaches a notice, and keeps record 0 alive once started, as the
// pop-ups do until the player closes them.
class RecordingNotice : public CAchievementNotice {
public:
    bool IsRecordAlive() const override { return m_bAlive; }
    void AppendPending(int index) override { m_aiPending.push_back(index); }
    void StartRecord(int index) override {
        m_aiStarted.push_back(index);
        m_bAlive = true;
    }
    // Every index announced, in order: the one shown first, then the queue.
    std::vector<int> All() const {
        std::vector<int> all = m_aiStarted;
        all.insert(all.end(), m_aiPending.begin(), m_aiPending.end());
        return all;
    }
    bool m_bAlive = false;
    std::vector<int> m_aiStarted;
    std::vector<int> m_aiPending;
};

}  // namespace harness

// A fresh default profile and recording achievement notices.
class AchievementTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_CurrentProfile = SaveProfile{};
        CGameSaveData().InitProfile(g_CurrentProfile);
        m_Link.link.m_pBoard = &m_Board;
        m_Link.link.m_pInGame = &m_InGame;
        m_Link.Menu(1);
    }
    void TearDown() override { g_CurrentProfile = SaveProfile{}; }
    int& Progress(int index) { return g_CurrentProfile.m_aiAchievementProgress[index]; }

    harness::ScopedLink m_Link;
    harness::RecordingNotice m_Board;
    harness::RecordingNotice m_InGame;
};

// The framework on the headless video system, with counting device hooks.
class CountingApp : public CD3DApplication {
public:
    CountingApp() {
        m_pszWindowTitle = u"Cogsquall";
        m_dwCreationWidth = 800;
        m_dwCreationHeight = 600;
    }
    HRESULT CreateDeviceResources() override { return ++created, createResult; }
    HRESULT RestoreDeviceResources() override { return ++restored, S_OK; }
    HRESULT ReleaseDeviceResources() override { return ++released, S_OK; }
    HRESULT DestroyDeviceResources() override { return ++destroyed, S_OK; }
    HRESULT Shutdown() override { return ++shutdowns, S_OK; }
    HRESULT Render() override {
        gateCountInRender.push_back(g_nFrameGateCount);
        return S_OK;
    }
    int Renders() const { return int(gateCountInRender.size()); }

    std::vector<uint32_t> gateCountInRender;
    HRESULT createResult = S_OK;
    int created = 0, restored = 0, released = 0, destroyed = 0, shutdowns = 0;
};

class FrameworkFixture : public ::testing::Test {
protected:
    void SetUp() override {
        host::SetVideoSystem(&video);
        // Twice: a reset of a stopped clock still reads the old stop time.
        FrameworkTimer(TIMER_RESET);
        FrameworkTimer(TIMER_RESET);
        g_fFrameGateTime = 0.0f;
        g_nFrameGateCount = 0;
        g_bAllowClose = true;
        g_bQuitRequested = false;
        ResetMemoryProbes();
        m_savedProbe = g_pfnProbeSoundCard;
    }
    void TearDown() override {
        host::SetVideoSystem(nullptr);
        g_bAllowClose = true;
        g_bQuitRequested = false;
        g_pfnProbeSoundCard = m_savedProbe;
        ResetMemoryProbes();
    }

    host::HeadlessHost services;
    host::HeadlessVideoSystem video;
    int (*m_savedProbe)() = nullptr;
};

// A fresh save folder for each test: APPDATA points at a new temporary
// folder, and the profile copies and sound levels start from zero.
class SaveFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_Root = m_Dir.path.string();
        setenv("APPDATA", m_Root.c_str(), 1);
        ResetMemory();
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
    // A file too short (or missing) fails the test that reads it, and reads
    // as INT32_MIN, rather than taking the process down.
    static int32_t ReadInt(const std::vector<uint8_t>& bytes, size_t offset) {
        if (offset + 4 > bytes.size()) {
            ADD_FAILURE() << "no word at " << offset << " in " << bytes.size() << " bytes";
            return INT32_MIN;
        }
        int32_t v;
        std::memcpy(&v, bytes.data() + offset, 4);
        return v;
    }
    static void WriteInt(std::vector<uint8_t>& bytes, size_t offset, int32_t v) {
        ASSERT_LE(offset + 4, bytes.size()) << "no word at " << offset;
        std::memcpy(bytes.data() + offset, &v, 4);
    }
    // Recomputes the checksum, so a test can change a value and keep the file acceptable.
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
            if (slot < save.Header().m_nProfilesInUse) ASSERT_EQ(save.RenameProfile(slot, name), CVxSaveData::SAVE_OK);
            else ASSERT_EQ(save.CreateProfile(name), CVxSaveData::SAVE_OK);
            ++slot;
        }
        ASSERT_EQ(save.Save(), CVxSaveData::SAVE_OK);
    }

    harness::TempDir m_Dir{"/dev/shm"};  // a memory folder where there is one: the save layer syncs every write
    std::string m_Root;
};

#ifdef CSQ_BINARY_DIR  // the tests' build, which has the generated DATA
namespace harness {

// The game's standard font from the build's DATA, drawing into a recording
// device: how a board lays a text out, read back from the glyphs it draws.
class FontProbe {
public:
    struct Setup {
        float size;
        float charSpacing;
        float spaceFactor;
        int wrapWidth;  // -1: no wrapping
    };
    FontProbe() {
        app.m_pDevice = &device;
        archive.OpenResourceArchive(CSQ_BINARY_DIR "/DATA");
        font = std::make_unique<CVxFont>("Script_Fnt_GameStandard.txt", "Resource\\Font\\");
        font->m_iAlign = 1;
        font->m_bCellMode = false;  // glyph quads as wide as the glyph itself
    }
    // Lines the text takes once the font has wrapped it.
    int Lines(const std::string& text, const Setup& s) { return Draw(text, s).lines; }
    // Right edge of the widest line, the text's own lines drawn unwrapped.
    int Widest(const std::string& text, const Setup& s) {
        return Draw(text, {s.size, s.charSpacing, s.spaceFactor, -1}).widest;
    }
    // Whether the board's wrapping leaves the text's own line breaks alone.
    bool Unwrapped(const std::string& text, const Setup& s) {
        return Lines(text, s) == Lines(text, {s.size, s.charSpacing, s.spaceFactor, -1});
    }

private:
    struct Layout {
        int lines = 0;
        int widest = 0;
    };
    Layout Draw(const std::string& text, const Setup& s) {
        EXPECT_TRUE(font->m_nRows > 0) << "no standard font in the build's DATA";
        font->SetSize(s.size, s.size, 1.0f);
        font->m_fCharSpacing = s.charSpacing;
        font->m_fSpaceFactor = s.spaceFactor;
        font->m_iWrapWidth = s.wrapWidth;
        device.draws.clear();
        font->DrawText(text.c_str());
        const float lineHeight = float(font->m_iTextureHeight) / float(font->m_nRows) * s.size;
        Layout out;
        for (const auto& d : device.draws) {
            const int line = int(std::lround(-d.state.world[13] / lineHeight));
            out.lines = std::max(out.lines, line + 1);
            out.widest = std::max(out.widest, int(std::ceil(d.state.world[12] + d.state.world[0] / 2)));
        }
        return out;
    }

    host::HeadlessHost host;
    host::RecordingDevice device{800, 600};
    TestApplication app;
    ResourceArchive archive;
    std::unique_ptr<CVxFont> font;
};

}  // namespace harness

// A game application with the build's generated DATA as the working
// directory's archive, the silent sound device, and scripted message-box answers.
class GameAppTest : public SaveFolderTest {
protected:
    void SetUp() override {
        SaveFolderTest::SetUp();
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        m_OldCwd = cwd;
        ASSERT_EQ(chdir(CSQ_BINARY_DIR), 0);
        g_bQuitRequested = false;
        g_bAllowClose = true;
        m_Sounds.Initialize();
        g_pSoundManager = &m_Sounds;
    }
    void TearDown() override {
        m_App.reset();
        g_pSoundManager = nullptr;
        g_bQuitRequested = false;
        g_bAllowClose = true;
        // A test that turned the sound off, or moved a level, leaves the next
        // one (a stage run's mix, say) the levels a new process starts with.
        g_iMasterVolume = 0;
        ResetMemory();
        ASSERT_EQ(chdir(m_OldCwd.c_str()), 0);
    }

    // Builds the application (answers to its questions queued beforehand).
    CGameApplication& Make() {
        m_App = std::make_unique<CGameApplication>(MakeGamePages);
        m_App->m_bRunWorkersInline = true;
        return *m_App;
    }
    // Builds it and loads as the device's creation does.
    CGameApplication& Start() {
        Make();
        m_App->LoadResources();
        return *m_App;
    }
    // Shuts down as the framework does at the end of the run.
    void Shutdown() { m_App.reset(); }

    std::vector<std::string> Captions() const {
        std::vector<std::string> out;
        for (const auto& b : m_Host.boxes.Boxes()) out.push_back(b.caption);
        return out;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& b : m_Host.boxes.Boxes()) out.push_back(b.text);
        return out;
    }
    // The application's own pages, as the tests reach into them.
    CPageGame& BattlePage() { return *GameBattlePage(m_App.get()); }
    CPageMenu& MenuPage() { return *dynamic_cast<CPageMenu*>(m_App->m_pPageMenu); }

    void PressKey(int key) { m_App->m_aInput[0].m_aiKey[key] = KEY_PRESSED | KEY_HELD; }

    host::HeadlessHost m_Host;
    SoundManager m_Sounds;
    std::unique_ptr<CGameApplication> m_App;

private:
    std::string m_OldCwd;
};

// A pop-up of the battle that only keeps its records.
class RecordingEffect : public CVxEffect {
public:
    RecordingEffect() {
        m_nPoolSize = 1;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int) override {}
};

// The menu's operations as the message box calls them.
class RecordingMenu : public CPageMenu {
public:
    void DeleteCurrentProfile() override { ++deletes; }
    void BuyLabItem() override {
        ++labBuys;
        if (labPurchase) labPurchase();
    }
    void BuyUpgrade() override { ++upgradeBuys; }
    void StepEpisode(bool forward) override { episodeSteps += forward ? 1 : -1; }
    void ScrollStageMap(int direction) override { mapSteps += direction == 1 ? 1 : -1; }
    int GetOpenAreaCount() const override { return openAreas; }

    int deletes = 0, labBuys = 0, upgradeBuys = 0, episodeSteps = 0, mapSteps = 0, openAreas = 1;
    void (*labPurchase)() = nullptr;
};

// A started game application with its shared resources, on the menu page with
// a recording menu, and the battle in its card selection with stand-in pop-ups:
// frame stepping of one effect, key releases, presses and clicks on a button.
class PopupTest : public GameAppTest {
protected:
    void SetUp() override {
        GameAppTest::SetUp();
        Start();
        m_App->LoadSharedResources();
        box = m_App->m_pEffectMsgBox;
        ASSERT_NE(box, nullptr);
        m_App->m_iCurrentPage = MENU_PAGE_INDEX;
        m_OriginalMenu = &MenuPage();
        m_App->m_pPageMenu = &menu;
        m_App->m_apPages[MENU_PAGE_INDEX] = &menu;
        battle = &BattlePage();
        summary.SeeBattle(battle);
        battle->m_pEffectSummary = &summary;
        battle->m_pEffectHowToPlay = &howToPlay;
        battle->m_pEffectHowToMiniGame = &howToMiniGame;
        RuleState(battle->m_Battle).m_iBattleState = 4;  // card selection
    }
    void TearDown() override {
        RestorePages();
        GameAppTest::TearDown();
    }
    // Gives the application its own menu page back (it deletes it at shutdown).
    void RestorePages() {
        if (!m_App) return;
        m_App->m_pPageMenu = m_OriginalMenu;
        m_App->m_apPages[MENU_PAGE_INDEX] = m_OriginalMenu;
        BattlePage().m_pEffectSummary = nullptr;
        BattlePage().m_pEffectHowToPlay = nullptr;
        BattlePage().m_pEffectHowToMiniGame = nullptr;
    }

    void Tick(CVxEffect* effect, int n = 1) {
        for (int i = 0; i < n; ++i) effect->Tick();
    }
    void TickBox(int n = 1) { Tick(box, n); }
    // Opens kind and runs the slide until the box stands at rest.
    void OpenAtRest(int kind) {
        ASSERT_EQ(box->Add(kind), 0);
        TickBox(29);
        ASSERT_EQ(box->SlideY(), 0.0f);
    }
    // Runs a slide-out to its end.
    void FinishSlide() { TickBox(30); }
    // A key released this frame, answered by the box.
    void Answer(int key) {
        m_App->m_aInput[0].m_aiKey[key] = KEY_RELEASED;
        box->HandleClick();
    }

    void ReleaseKey(int key) { m_App->m_aInput[0].m_aiKey[key] = KEY_RELEASED; }
    void CursorAt(float x, float y) {
        m_App->m_aInput[0].m_iCursorX = int(x + float(int(m_App->m_iScreenWidth * 0.5)));
        m_App->m_aInput[0].m_iCursorY = int(float(int(m_App->m_iScreenHeight * 0.5)) - y);
    }
    void CursorOn(const CVxButton* button) { CursorAt(button->m_vPosition.x, button->m_vPosition.y); }
    // The mouse goes down over the button this frame.
    void PressOn(const CVxButton* button) {
        CursorOn(button);
        m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
    }
    void HoldMouse() { m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_HELD; }
    void ReleaseMouse() { m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_RELEASED; }
    // A whole click on the button: down, held, up, each handed over by call.
    template <class F>
    void ClickOn(CVxButton* button, F handle) {
        PressOn(button);
        handle();
        HoldMouse();
        handle();
        ReleaseMouse();
        handle();
    }
    bool Playing(CVxSound* sound) { return sound && sound->IsPlaying(); }
    void Silence(CVxSound* sound) {
        if (sound) sound->Stop();
    }

    // The battle page's OK button, as the boards of the battle borrow it
    // (the caller owns it).
    CVxButton* MakeBattleOkButton() {
        auto* ok = new CVxButton(0);
        const CustomType& states = m_App->m_aButtonSets[BTN_OK];
        CVxButton::SetStateTextures(ok, states.m_apState[BUTTON_PRESS], states.m_apState[BUTTON_OVER],
                                    states.m_apState[BUTTON_DISABLE], states.m_apState[BUTTON_NORMAL]);
        battle->m_pBtnOK = ok;
        return ok;
    }

    CEffect_MsgBox* box = nullptr;
    CPageGame* battle = nullptr;
    RecordingMenu menu;
    CEffect_Summary summary;
    RecordingEffect howToPlay;
    RecordingEffect howToMiniGame;

private:
    CPageMenu* m_OriginalMenu = nullptr;
};

// The pop-ups drawing into a recording device with the render-target slots
// in which the boxes and boards keep their pictures.
class SlotPopupTest : public PopupTest {
protected:
    void SetUp() override {
        PopupTest::SetUp();
        ASSERT_EQ(RestoreRenderTargets(device, true, 800, 600), S_OK);
        m_App->m_pDevice = &device;
        device.BeginScene();
    }
    void TearDown() override {
        device.EndScene();
        // Everything uploaded to this device goes before it.
        RestorePages();
        Shutdown();
        ReleaseRenderTargets();
        PopupTest::TearDown();
    }
    host::RecordingDevice device{800, 600};
};

// The menu page of a started game application on the headless host: page
// switches carried out at once, whole frames in the engine's order, and a
// player who clicks, taps and presses keys through the input records.

class MenuPageTest : public GameAppTest {
protected:
    void SetUp() override {
        GameAppTest::SetUp();
        Start();
    }

    CPageMenu& Menu() { return MenuPage(); }

    // The page switch to the menu at the sub-screen, carried out now.
    void Enter(int subScreen) {
        m_App->SwitchPage(1, subScreen);
        m_App->Tick();
        ASSERT_FALSE(m_App->m_bSwitchPending);
        ASSERT_EQ(int(m_App->m_iCurrentPage), 1);
    }
    // Frames in the engine's order; past the page switch's quiet frames.
    void Frame(int n = 1) {
        for (int i = 0; i < n; ++i) {
            m_App->Tick();
            if (m_App->m_bSwitchPending) continue;
            m_App->ProcessInput();
            m_App->Frame();
        }
    }
    // Frames until the page takes input again; false when it never does.
    bool Settle(int limit = 120) {
        for (int i = 0; i < limit; ++i) {
            if (int(m_App->m_nFrame) > 10 && Menu().IsInputFree()) return true;
            Frame();
        }
        return false;
    }
    void CursorAt(float x, float y) {
        m_App->m_aInput[0].m_iCursorX = int(x + float(g_iScreenWidth) * 0.5f);
        m_App->m_aInput[0].m_iCursorY = int(float(g_iScreenHeight) * 0.5f - y);
    }
    // Down, held, up at the point: a tap, one frame each.
    void TapAt(float x, float y) {
        CursorAt(x, y);
        m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
        Frame();
        m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_HELD;
        Frame();
        m_App->m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
        Frame();
    }
    // A key pressed in one frame and released in the next.
    void Key(int vk) {
        m_App->m_aInput[0].m_aiKey[vk] = KEY_PRESSED | KEY_HELD;
        Frame();
        m_App->m_aInput[0].m_aiKey[vk] = KEY_RELEASED;
        Frame();
    }
    int SwitchCode() const {
        const CEffect_SwitchPage* s = m_App->m_pEffectSwitchPage;
        return s && s->m_aInstances[0].life > 0 ? s->m_aInstances[0].kind : -100;
    }
    int BoxKind() const {
        const CEffect_MsgBox* b = m_App->m_pEffectMsgBox;
        return b && b->IsOpen() ? b->m_aInstances[0].kind : -1;
    }
    // A profile of that name, stored and live, at that furthest stage.
    void Player(const char* name, int furthest) {
        ASSERT_EQ(m_App->m_pSaveData->CreateProfile(name), 0);
        g_CurrentProfile.m_iFurthestStage = furthest;
        g_CurrentProfile.m_abFeatureUnlocked[4] = 1;
    }
};

// The front end's road through the real program: the game application with
// a fresh save folder and the build's pack, run through the render road of the
// framework, and a player who clicks, taps and types through window messages.
// The headless road test and the screenshot road under Xvfb share it.

namespace frontroad {

// Points of the road, centre coordinates (y up).
struct Point {
    float x, y;
};
constexpr Point kScreenCentre{0.0f, 0.0f};
constexpr Point kMenuEntry{62.0f, -30.0f};  // main-menu entry, map area
constexpr Point kBackButton{-375.0f, -225.0f};
constexpr Point kFirstStage{-195.0f, 80.0f};  // stage 1 of an area on the mission panel
constexpr Point kSkipLabel{396.0f, 305.0f};

// Owns the save folder and the working directory; the framework owns the
// application and deletes it with its device resources.
class Road {
public:
    // Before the application is built: a new save folder, the build folder as
    // the working directory.
    void Prepare() {
        char pattern[] = "/tmp/csq-road-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_Root = pattern;
        setenv("APPDATA", m_Root.c_str(), 1);
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        m_OldCwd = cwd;
        ASSERT_EQ(chdir(CSQ_BINARY_DIR), 0);
        g_CurrentProfile = SaveProfile{};
        for (SaveProfile& p : g_aStoredProfiles) p = SaveProfile{};
        g_bQuitRequested = false;
        g_bAllowClose = true;
        g_bApplyFullscreenAtStart = 0;
    }

    // Builds the game (its pages, the save) and the window with its device.
    void Start() {
        app = new CGameApplication(MakeGamePages);
        app->m_bRunWorkersInline = true;
        framework = std::make_unique<CMyD3DApplication>();
        framework->m_pszWindowTitle = u"Cogsquall";
        framework->m_dwCreationWidth = 800;
        framework->m_dwCreationHeight = 600;
        ASSERT_EQ(framework->Create(), S_OK);
        ASSERT_TRUE(app->m_bInitialised);
    }

    // Closes the window as after a confirmed exit: the quit request lets the
    // window close, and the game saves and goes with the device.
    void Close() {
        if (framework && framework->Window()) {
            g_bAllowClose = true;
            framework->HandleMessage(framework->Window(), host::WM_CLOSE, 0, 0);
        }
        framework.reset();
        app = nullptr;
        g_bQuitRequested = false;
    }
    void Finish() {
        Close();
        if (!m_OldCwd.empty()) {
            EXPECT_EQ(chdir(m_OldCwd.c_str()), 0);
        }
        m_OldCwd.clear();
        std::error_code ec;
        if (!m_Root.empty()) std::filesystem::remove_all(m_Root, ec);
    }

    std::string SavePath() const { return m_Root + "/Orvendale/Cogsquall/SaveData.dat"; }
    std::vector<uint8_t> SaveBytes() const {
        std::ifstream in(SavePath(), std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // One frame of the road; beforeFrame advances a virtual clock where there is one.
    void Frame(int n = 1) {
        for (int i = 0; i < n; ++i) {
            if (beforeFrame) beforeFrame();
            framework->Render();
            ++frames;
        }
    }
    // Frames until the condition holds; false after `limit` frames.
    bool WaitFor(const std::function<bool()>& condition, int limit) {
        for (int i = 0; i < limit; ++i) {
            if (condition()) return true;
            Frame();
        }
        return condition();
    }

    int Page() const { return app->m_bSwitchPending ? -1 : int(app->m_iCurrentPage); }
    int SubScreen() const {
        const CVxPage* page = app->PageAt(app->m_iCurrentPage);
        return page ? page->m_iSubScreen : -1;
    }
    bool At(int page, int subScreen) const { return Page() == page && SubScreen() == subScreen; }
    // The menu has finished its slide and takes input.
    bool MenuIdle() const { return Page() == MENU_PAGE_INDEX && Menu().IsInputFree(); }
    CPageMenu& Menu() const { return *dynamic_cast<CPageMenu*>(app->m_pPageMenu); }
    CPageStory& Story() const { return *static_cast<CPageStory*>(app->m_pPageStory); }

    // The cursor moves to the point, the left button goes down and up.
    void ClickAt(Point p) {
        MoveTo(p);
        Frame();
        Message(host::WM_LBUTTONDOWN, 1);
        Frame();
        Message(host::WM_LBUTTONUP, 0);
        Frame();
    }
    void MoveTo(Point p) {
        InputRecord& in = app->m_aInput[0];
        in.m_iCursorX = int(p.x + float(g_iScreenWidth) / 2.0f);
        in.m_iCursorY = int(float(g_iScreenHeight) / 2.0f - p.y);
    }
    // A key goes down and up, a frame each.
    void Key(int vk) {
        Message(host::WM_KEYDOWN, uintptr_t(vk));
        Frame();
        Message(host::WM_KEYUP, uintptr_t(vk));
        Frame();
    }
    void Type(const char* letters) {
        for (const char* c = letters; *c; ++c) Key(*c);
    }

    // A lost battle left through the summary's Menu button: the page-switch
    // transition with the summary's code, back to the menu's return screen.
    void LoseBattle() {
        const int code = MENU_PAGE_INDEX + 10 * app->m_iMenuReturnScreen;
        if (auto* battle = dynamic_cast<CPageGame*>(app->m_pPageGame))
            if (CEffect_Summary* summary = battle->m_pEffectSummary) {
                summary->m_iBoardState = 1;
                summary->m_iSwitchCode = code;
                summary->m_iNextStage = app->m_iCurrentStage;
            }
        CEffect_SwitchPage& change = *app->m_pEffectSwitchPage;
        ASSERT_GE(change.Add(code), 0);
        // The battle page ticks its transition once it draws its overlays.
        for (int i = 0; i < 40 && Page() == BATTLE_PAGE_INDEX; ++i) {
            const int age = change.m_aInstances[0].age;
            Frame();
            if (Page() == BATTLE_PAGE_INDEX && change.m_aInstances[0].life > 0 && change.m_aInstances[0].age == age)
                change.Tick();
        }
    }

    void Message(uint32_t message, uintptr_t wParam) {
        framework->HandleMessage(framework->Window(), message, wParam, 0);
    }

    CGameApplication* app = nullptr;
    std::unique_ptr<CMyD3DApplication> framework;
    std::function<void()> beforeFrame;
    int frames = 0;

private:
    std::string m_Root, m_OldCwd;
};

// A road in a window: skipped without a display, its message boxes recorded.
class WindowRoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        host::SetMessageBoxes(&boxes);
        g_GameRoadLinks = GameRoadLinks{};
        road.Prepare();
    }
    void TearDown() override {
        road.Finish();
        g_GameRoadLinks = GameRoadLinks{};
        host::SetMessageBoxes(nullptr);
    }
    bool MenuAt(int screen) {
        return road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, screen) && road.MenuIdle(); }, 120);
    }
    // From the logo to the main menu as a new player of that name.
    bool ReachMainMenu(const char* name) {
        road.Start();
        road.Frame(60);
        road.ClickAt(kScreenCentre);
        if (!road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_TITLE); }, 30)) return false;
        road.Frame(60);
        road.ClickAt(kScreenCentre);
        if (!MenuAt(MENU_NAME_ENTRY)) return false;
        road.Type(name);
        road.Key(13);
        return MenuAt(MENU_MAIN);
    }
    host::RecordingMessageBoxes boxes;
    Road road;
};

// The whole road; `reached` is told each screen by name once it stands still.
// Returns with a failed assertion as soon as a step does not arrive.
inline void RunRoad(Road& road, const std::function<void(const char*)>& reached) {
    // The logo, fully faded in.
    ASSERT_EQ(road.Page(), LOGO_PAGE_INDEX);
    road.Frame(60);
    reached("logo");
    road.ClickAt(kScreenCentre);
    ASSERT_TRUE(road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_TITLE); }, 30)) << "the title after the logo";
    road.Frame(80);
    reached("title");

    // No profile yet: the title leads to name entry.
    road.ClickAt(kScreenCentre);
    ASSERT_TRUE(road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_NAME_ENTRY) && road.MenuIdle(); }, 60))
        << "name entry for a new player";
    road.Type("ADA");
    road.Frame(10);
    reached("name_entry");
    road.Key(13);
    ASSERT_TRUE(road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_MAIN) && road.MenuIdle(); }, 90))
        << "the main menu after Return";
    road.Frame(20);
    reached("main_menu");

    // Play: the first episode's story comes first.
    road.ClickAt(kMenuEntry);
    ASSERT_TRUE(road.WaitFor([&] { return road.Page() == STORY_PAGE_INDEX; }, 60)) << "Play leads to the story";
    ASSERT_TRUE(road.WaitFor([&] { return road.Story().m_fSkipAlpha == 1.0f; }, 120));
    road.Frame(30);
    reached("story");
    road.ClickAt(kSkipLabel);
    ASSERT_TRUE(road.WaitFor([&] { return road.Page() == BATTLE_PAGE_INDEX; }, 30)) << "Skip starts the battle";
    EXPECT_EQ(int(road.app->m_iCurrentStage), 1);

    // Lost: back at the mission panel.
    road.LoseBattle();
    ASSERT_TRUE(road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_MISSION) && road.MenuIdle(); }, 60))
        << "a lost stage returns to the mission panel";
    road.Frame(20);
    reached("mission");

    // Back to the map, into the first area, and stage 1 again.
    road.ClickAt(kBackButton);
    ASSERT_TRUE(road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_STAGE_MAP) && road.MenuIdle(); }, 60))
        << "Back leads to the stage map";
    road.Frame(20);
    reached("stage_map");
    road.ClickAt(kMenuEntry);
    ASSERT_TRUE(road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_MISSION) && road.MenuIdle(); }, 60))
        << "the first area opens its mission panel";
    road.ClickAt(kFirstStage);
    ASSERT_TRUE(road.WaitFor([&] { return road.Page() == BATTLE_PAGE_INDEX; }, 60)) << "stage 1 starts";
    EXPECT_EQ(int(road.app->m_iCurrentStage), 1);
    road.LoseBattle();
    ASSERT_TRUE(road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_MISSION) && road.MenuIdle(); }, 60));
}

}  // namespace frontroad

#endif  // CSQ_BINARY_DIR

// ---- a child killed while it saves ----------------------------------------
// A child process that saves in a loop, killed at a random moment: the child
// says when its setup is done, reports each generation on a pipe once its save
// has returned, and the parent reads the last one confirmed before the kill.
#include <signal.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>

namespace savekill {

// The child's first word on the pipe: loaded, its first save begins now.
constexpr int kReady = -1;

// Kills at a random moment within the child's next three saves, timed from
// its ready word rather than from the fork: a fork under the sanitizers, or a
// busy machine, can take longer than several saves. How long a save takes is
// learnt from the rounds before.
class Killer {
public:
    // Forks a child running work(reportFd) (which never returns) and returns
    // the last generation it reported, or `confirmed` when it reported none.
    // Fails the test when the child stopped by itself.
    int KillWhileSaving(const std::function<void(int reportFd)>& work, int confirmed) {
        int fds[2];
        if (pipe(fds) != 0) {
            ADD_FAILURE() << "pipe: " << std::strerror(errno);
            return confirmed;
        }
        const pid_t child = fork();
        // No child: nothing here may be killed or waited on (-1 is every process).
        if (child < 0) {
            ADD_FAILURE() << "fork: " << std::strerror(errno);
            close(fds[0]);
            close(fds[1]);
            return confirmed;
        }
        if (child == 0) {
            close(fds[0]);
            work(fds[1]);
            _exit(5);
        }
        close(fds[1]);
        int word = 0;
        const bool ready = read(fds[0], &word, sizeof word) == sizeof word && word == kReady;
        const auto loaded = std::chrono::steady_clock::now();
        if (ready) usleep(useconds_t(VxRand() % 1000 * 3 * m_saveUs / 1000));
        kill(child, SIGKILL);
        const double waitedUs =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - loaded).count();
        int status = 0;
        EXPECT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself: exit " << WEXITSTATUS(status);
        int saves = 0;
        while (read(fds[0], &word, sizeof word) == sizeof word) {
            confirmed = word;
            ++saves;
        }
        close(fds[0]);
        if (saves > 0) m_saveUs = (m_saveUs + waitedUs / saves) / 2;
        else if (waitedUs > m_saveUs) m_saveUs = std::min(2 * waitedUs, 1e5);
        return confirmed;
    }

private:
    double m_saveUs = 1000;
};

// Tells the parent the child's setup is done.
inline void Ready(int reportFd) {
    if (write(reportFd, &kReady, sizeof kReady) != sizeof kReady) _exit(4);
}

// Reports one generation on the pipe; the child ends when the parent has gone.
inline void Report(int reportFd, int generation) {
    if (write(reportFd, &generation, sizeof generation) != sizeof generation) _exit(4);
}

}  // namespace savekill



#include "engine/VxSound.h"
#include "platform/host/Thread.h"
#include "tests/PictureBytes.h"
#include "tests/Harness.h"
#include "tests/OggClip.h"

namespace {

using Files = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

Files Pictures() {
    auto png = testpic::Png(30, 20);
    std::vector<uint8_t> broken = png;
    broken.resize(broken.size() / 2);
    return {
        {"Resource/Pic/Bbd_Card.png", png},
        {"Resource/Pic/Bbd_Back.jpg", testpic::Jpeg(64, 32)},
        {"Resource/Pic/Bbd_Glow.tga", testpic::Tga(8, 4, testpic::Pattern(8, 4), false, true)},
        {"Resource/Pic/Bbd_Broken.png", broken},
    };
}

}  // namespace

TEST(VxTexture, MissingOrCorruptPictureShowsOneBoxAndStaysEmpty) {
    harness::World w(Pictures());
    host::RecordingDevice device;
    struct Case {
        const char* name;
        const char* caption;
        const char* text;
    } cases[] = {
        {"Bbd_None.png", "Loading Texture Error !!", "Resource/Pic/Bbd_None.png\n NOT FOUND IN ZIP"},
        {"Bbd_Broken.png", "Loading Texture From Memory Error !!", "Resource/Pic/Bbd_Broken.png\n NOT FOUND"},
    };
    for (const Case& c : cases) {
        w.host.boxes.Clear();
        CVxTexture t(c.name, "Resource\\Pic\\");
        ASSERT_EQ(w.host.boxes.Count(), 1u) << c.name;
        EXPECT_TRUE(w.host.boxes.Saw(c.caption, c.text)) << c.name;
        EXPECT_TRUE(t.IsEmpty());
        EXPECT_EQ(t.m_iWidth, 100);
        EXPECT_EQ(t.m_iHeight, 100);
        EXPECT_EQ(t.Handle(device), 0u);
        EXPECT_STREQ(t.m_pszName, c.name);
    }
}

TEST(VxTexture, NothingLoadsWithoutAnApplicationOrWhenAlreadyHeld) {
    harness::World w(Pictures());
    CVxTexture t("Bbd_Card.png", "Resource\\Pic\\");
    // Loading again keeps the picture it has.
    EXPECT_TRUE(t.Load("Bbd_Back.jpg", "Resource\\Pic\\"));
    EXPECT_EQ(t.m_iWidth, 30);
    EXPECT_STREQ(t.m_pszName, "Bbd_Back.jpg");

    CVxApplication* app = g_pApp;
    g_pApp = nullptr;
    CVxTexture none("Bbd_Card.png", "Resource\\Pic\\");
    g_pApp = app;
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_TRUE(w.host.boxes.Boxes().empty());
}

TEST(VxTexture, DecodesOnAWorkerThreadAndUploadsOnTheMainThread) {
    harness::World w(Pictures());
    host::RecordingDevice device;
    CVxTexture* t = nullptr;
    host::Thread loader;
    loader.Start([&t] { t = new CVxTexture("Bbd_Back.jpg", "Resource\\Pic\\"); }, host::ThreadPriority::Normal);
    loader.Join();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(device.LiveTextures(), 0u);
    EXPECT_NE(t->Handle(device), 0u);
    EXPECT_EQ(device.LiveTextures(), 1u);
    // Freed on a worker too: the device texture waits for the main thread.
    host::Thread unloader;
    unloader.Start([t] { delete t; }, host::ThreadPriority::Normal);
    unloader.Join();
    EXPECT_EQ(device.LiveTextures(), 1u);
    CVxTexture::FreeReleasedTextures();
    EXPECT_EQ(device.LiveTextures(), 0u);
}

TEST(VxTexture, LooseFilesComeFromTheDiskWithTheirOwnSize) {
    harness::World w(Pictures());
    std::filesystem::create_directories(w.dir.path / "branding");
    auto png = testpic::Png(300, 200);
    std::ofstream(w.dir.path / "branding" / "splash1.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(w.dir.path);
    g_bLooseFiles = true;
    CVxTexture t("splash1.png", "branding\\");
    CVxTexture gone("splash9.png", "branding\\");
    CVxTexture fromZip("Bbd_Card.png", "Resource\\Pic\\");  // not on disk
    g_bLooseFiles = false;
    std::filesystem::current_path(cwd);
    EXPECT_EQ(t.m_iWidth, 300);
    EXPECT_EQ(t.m_iHeight, 200);
    EXPECT_FALSE(t.IsEmpty());
    EXPECT_TRUE(gone.IsEmpty());
    EXPECT_TRUE(fromZip.IsEmpty());
    ASSERT_EQ(w.host.boxes.Count(), 2u);
    EXPECT_TRUE(w.host.boxes.Saw("Loading Texture Error !!", "branding/splash9.png\n NOT FOUND"));
}

TEST(VxTexture, AKeptPictureOrSoundComesOnlyFromTheStoredBytesItWasDecodedFrom) {
    KeepDecodedResources(true);
    harness::World w({{"Resource/Pic/Bbd_Card.png", testpic::Png(30, 20)}});
    const std::string data = w.dir / "DATA";
    // The same entry, rewritten in the same file between two loads: the
    // picture on its side, a wider one, and the first one twice more.
    const std::pair<int, int> sizes[] = {{20, 30}, {64, 8}, {30, 20}, {30, 20}};
    CVxTexture first("Bbd_Card.png", "Resource\\Pic\\");
    EXPECT_EQ(first.m_iWidth, 30);
    for (const auto& [width, height] : sizes) {
        w.archive.OpenResourceArchive(
            harness::WriteArchive(data, {{"Resource/Pic/Bbd_Card.png", testpic::Png(width, height)}}));
        CVxTexture t("Bbd_Card.png", "Resource\\Pic\\");
        EXPECT_EQ(t.m_iWidth, width) << width << "x" << height;
        EXPECT_EQ(t.m_iHeight, height) << width << "x" << height;
    }
    // A new archive renamed over the open one: the open one still gives its
    // own picture, and the new one gives the new picture once it is opened.
    std::filesystem::rename(harness::WriteArchive(data + ".new", {{"Resource/Pic/Bbd_Card.png", testpic::Png(12, 34)}}),
                            data);
    EXPECT_EQ(CVxTexture("Bbd_Card.png", "Resource\\Pic\\").m_iWidth, 30);
    w.archive.OpenResourceArchive(data);
    EXPECT_EQ(CVxTexture("Bbd_Card.png", "Resource\\Pic\\").m_iWidth, 12);
    EXPECT_TRUE(w.host.boxes.Boxes().empty());
    // A byte of a picture's or a sound's stored data flipped under an intact
    // directory, each kept before: nothing kept answers for the bytes now read.
    const std::string picture = "Resource/Pic/Bbd_Card.png", sound = "Resource/Sound/SFX_Hit.ogg";
    w.archive.OpenResourceArchive(
        harness::WriteArchive(data, {{picture, testpic::Png(12, 34)}, {sound, testclip::MakeOgg(1, 22050, 4410)}}));
    EXPECT_FALSE(CVxTexture("Bbd_Card.png", "Resource\\Pic\\").IsEmpty());
    EXPECT_NE(CVxSound("SFX_Hit.ogg", "Resource\\Sound\\").m_pSound, nullptr);
    std::fstream file(data, std::ios::in | std::ios::out | std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    for (const std::string& name : {picture, sound}) {
        const auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
        ASSERT_NE(at, bytes.end());
        file.seekp(std::streamoff(at - bytes.begin() + name.size() + 20));
        file.put(char(at[name.size() + 20] ^ 0x5A));
    }
    file.close();
    w.archive.OpenResourceArchive(data);
    EXPECT_TRUE(CVxTexture("Bbd_Card.png", "Resource\\Pic\\").IsEmpty());
    EXPECT_FALSE(w.host.boxes.Boxes().empty());
    w.archive.OpenResourceArchive(data);
    EXPECT_EQ(CVxSound("SFX_Hit.ogg", "Resource\\Sound\\").m_pSound, nullptr);
    EXPECT_FALSE(w.host.boxes.Boxes().empty());
}

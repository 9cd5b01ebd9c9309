// The real program with one picture damaged in a copy of DATA: the box
// about it comes up after the window and its GL device exist, and once it
// is answered the game draws on, then saves and closes on the quit request.
#include <cstring>
#include <fstream>
#include <iterator>

#include "tests/gl/GoldenPicture.h"
#include "tests/gl/XClient.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + size_t(i)];
    return v;
}

// Inverts the middle of one entry's stored bytes in a zip archive; false
// when the entry is not there.
bool DamageEntry(std::vector<uint8_t>& zip, const std::string& name) {
    size_t end = zip.size() < 22 ? 0 : zip.size() - 22;
    while (end > 0 && Le(zip, end, 4) != 0x06054b50u) --end;
    if (Le(zip, end, 4) != 0x06054b50u) return false;
    const size_t entries = Le(zip, end + 10, 2);
    size_t at = Le(zip, end + 16, 4);
    for (size_t i = 0; i < entries && at + 46 <= zip.size(); ++i) {
        const uint32_t packed = Le(zip, at + 20, 4);
        const size_t nameLength = Le(zip, at + 28, 2), extra = Le(zip, at + 30, 2), comment = Le(zip, at + 32, 2);
        const size_t local = Le(zip, at + 42, 4);
        const std::string entry(reinterpret_cast<const char*>(zip.data() + at + 46), nameLength);
        if (entry == name) {
            const size_t data = local + 30 + Le(zip, local + 26, 2) + Le(zip, local + 28, 2);
            if (packed < 64 || data + packed > zip.size()) return false;
            for (size_t k = data + packed / 2 - 16; k < data + packed / 2 + 16; ++k) zip[k] ^= 0xFF;
            return true;
        }
        at += 46 + nameLength + extra + comment;
    }
    return false;
}

}  // namespace

TEST(DamagedPictureRun, TheGameDrawsOnAfterTheBoxAboutADamagedPicture) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    const std::string build = CSQ_BINARY_DIR;
    ASSERT_TRUE(fs::exists(build + "/DATA"));
    char pattern[] = "/tmp/csq-damaged-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern, work = root + "/game", folder = root + "/save/Orvendale/Cogsquall/";
    const std::string errors = root + "/stderr.txt";
    fs::create_directories(work);
    fs::copy_file(build + "/BIN", work + "/BIN");
    {
        std::ifstream in(build + "/DATA", std::ios::binary);
        std::vector<uint8_t> zip((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // The loading screen's bar: loaded with the device, drawn from the first frame.
        ASSERT_TRUE(DamageEntry(zip, "Resource/Menu/Bbd_Loading.png"));
        std::ofstream out(work + "/DATA", std::ios::binary);
        out.write(reinterpret_cast<const char*>(zip.data()), std::streamsize(zip.size()));
    }

    xclient::Connection x;
    ASSERT_NE(x.display, nullptr);
    golden::GameProcess game(root + "/save", true, errors, work);
    const pid_t pid = game.pid();
    // A box is any window of the program but the game's own.
    auto isBox = [](const std::string& title) { return title != "Cogsquall"; };
    const Window box = x.WaitForWindow(pid, isBox, 30000ms);
    ASSERT_NE(box, 0u) << "no box came up\n" << golden::FileText(errors);
    // Answer every box that comes (the one picture may be asked for again).
    int answered = 0;
    for (Window w = box; w != 0 && answered < 10; w = x.WaitForWindow(pid, isBox, 1500ms)) {
        x.PressReturn(w);
        ++answered;
        std::this_thread::sleep_for(300ms);
    }
    // The game goes on drawing after the box: it is still there a while later.
    std::this_thread::sleep_for(3000ms);
    const bool alive = !game.Ended(0ms);
    const bool stopped = game.Stop();
    const int status = game.status();
    const std::string said = golden::FileText(errors);

    EXPECT_TRUE(alive) << "the game ended after the box\n" << said;
    EXPECT_TRUE(stopped) << "no clean exit after the quit request\n" << said;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "status " << (WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status)) << "\n"
        << said;
    EXPECT_NE(said.find("Bbd_Loading.png"), std::string::npos) << "the box named another picture\n" << said;
    EXPECT_TRUE(fs::exists(folder + "DataBkUp.dat")) << "no exit save\n" << said;
    EXPECT_EQ(said.find("Sanitizer"), std::string::npos) << said;
    EXPECT_EQ(said.find("X error"), std::string::npos) << said;
    std::error_code ec;
    fs::remove_all(root, ec);
}

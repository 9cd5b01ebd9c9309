// The new player's road through the real program in a window on the GL
// device: every screen on it is compared with its reference picture in
// tests/golden (front_<screen>.png). CSQ_UPDATE_GOLDEN=1 writes them anew.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/host/Headless.h"
#include "platform/host/MessageBox.h"
#include "tests/Harness.h"
#include "tests/gl/GoldenPicture.h"

namespace {

using FrontRoadScreens = frontroad::WindowRoadTest;

TEST_F(FrontRoadScreens, EveryScreenFromTheLogoToTheStageMapLooksAsKept) {
    road.Start();
    // The reference pictures are of the composed back buffer; with
    // CSQ_UPDATE_GOLDEN=1 each is written and the road goes on.
    std::vector<std::string> compared;
    const bool updating = golden::UpdateRequested();
    frontroad::RunRoad(road, [&](const char* screen) {
        const std::string name = std::string("front_") + screen;
        if (updating) {
            std::vector<uint8_t> pixels;
            int w = 0, h = 0;
            ASSERT_TRUE(road.framework->Device()->ReadBackBuffer(pixels, w, h));
            const std::string path = std::string(CSQ_SOURCE_DIR "/tests/golden/") + name + ".png";
            ASSERT_TRUE(host::WritePng(path.c_str(), pixels.data(), w, h));
        } else {
            golden::ExpectMatches(*road.framework->Device(), name);
        }
        compared.push_back(screen);
    });
    EXPECT_EQ(compared.size(), 7u);
    EXPECT_EQ(boxes.Count(), 0u) << (boxes.Count() ? boxes.Boxes().front().text : "");
}

}  // namespace

// Pictures loaded inside a decode batch: their sizes are known at once, the
// pixels arrive when the batch ends (decoded on worker threads), and a
// picture that fails shows the same message a plain load would.
#include <gtest/gtest.h>

#include "engine/DecodedResources.h"
#include "engine/VxTexture.h"
#include "platform/host/RecordingDevice.h"
#include "tests/PictureBytes.h"
#include "tests/Harness.h"

TEST(TextureBatch, SizesAtOncePixelsAtTheEndFailuresReportedAsByALoad) {
    // The same pictures decoded by an earlier test would be answered at once,
    // as the game, which keeps nothing, never is: start with nothing kept.
    KeepDecodedResources(false);
    KeepDecodedResources(true);
    auto png = testpic::Png(30, 20);
    std::vector<uint8_t> broken = png;
    broken.resize(broken.size() / 2);  // the header survives, the pixels do not
    harness::World w({{"Resource/Pic/Bbd_Card.png", png},
                      {"Resource/Pic/Bbd_Back.jpg", testpic::Jpeg(64, 32)},
                      {"Resource/Pic/Bbd_Glow.tga", testpic::Tga(8, 4, testpic::Pattern(8, 4), false, true)},
                      {"Resource/Pic/Bbd_Broken.png", broken}});
    host::RecordingDevice device;
    std::vector<std::unique_ptr<CVxTexture>> textures;
    {
        CVxTexture::DecodeBatch batch;
        for (const char* name : {"Bbd_Card.png", "Bbd_Back.jpg", "Bbd_Glow.tga", "Bbd_Broken.png"})
            textures.push_back(std::make_unique<CVxTexture>(name, "Resource\\Pic\\"));
        const int sizes[][2] = {{30, 20}, {64, 32}, {8, 4}, {30, 20}};
        for (size_t i = 0; i < textures.size(); ++i) {
            EXPECT_EQ(textures[i]->m_iWidth, sizes[i][0]) << i;
            EXPECT_EQ(textures[i]->m_iHeight, sizes[i][1]) << i;
            EXPECT_TRUE(textures[i]->IsEmpty()) << "nothing decoded before the batch ends";
        }
        EXPECT_EQ(w.host.boxes.Count(), 0u);
    }
    for (int i = 0; i < 3; ++i) EXPECT_NE(textures[size_t(i)]->Handle(device), 0u) << i;
    EXPECT_EQ(*device.TexturePixels(textures[0]->Handle(device)), testpic::Pattern(30, 20));
    EXPECT_TRUE(textures[3]->IsEmpty());
    EXPECT_EQ(textures[3]->m_iWidth, 100);
    ASSERT_EQ(w.host.boxes.Count(), 1u);
    EXPECT_EQ(w.host.boxes.Boxes()[0].text, "Resource/Pic/Bbd_Broken.png\n NOT FOUND");
    EXPECT_EQ(w.host.boxes.Boxes()[0].caption, "Loading Texture From Memory Error !!");
}

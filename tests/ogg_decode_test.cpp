#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/OggDecode.h"
#include "tests/OggClip.h"

namespace {

struct Decoded {
    std::vector<char> pcm;
    int channels = -1;
    long rate = -1;
    int holes = 0;
    int badLinks = 0;
};

Decoded DecodeAll(OggVorbis_File* vf, int bits = 16) {
    Decoded d;
    char buf[4096];
    long n;
    while ((n = ogg_decode_one_vorbis_packet(vf, buf, sizeof buf, bits, &d.channels, &d.rate, &d.holes, &d.badLinks)) >
           0) {
        EXPECT_LE(n, long(sizeof buf));
        d.pcm.insert(d.pcm.end(), buf, buf + n);
    }
    return d;
}

void Close(OggVorbis_File* vf) {
    EXPECT_EQ(final_ogg_cleanup(vf), 0);
    std::free(vf);
}

}  // namespace

TEST(OggDecode, EightBitsGiveOneUnsignedByteASample) {
    auto clip = testclip::MakeOgg(1, 22050, 3000, 440.0, 0.0f);  // silence
    OggVorbis_File* vf = nullptr;
    ASSERT_EQ(memory_stream_for_ogg_decode(clip.data(), uint32_t(clip.size()), &vf), 0);
    Decoded d = DecodeAll(vf, 8);
    EXPECT_EQ(d.pcm.size(), 3000u);
    for (char c : d.pcm) EXPECT_NEAR(int(uint8_t(c)), 128, 1);
    Close(vf);
}

TEST(OggDecode, EndOfStreamReturnsZeroAndWritesNoFormat) {
    auto clip = testclip::MakeOgg(2, 22050, 1000);
    OggVorbis_File* vf = nullptr;
    ASSERT_EQ(memory_stream_for_ogg_decode(clip.data(), uint32_t(clip.size()), &vf), 0);
    DecodeAll(vf);
    char buf[256];
    int channels = 77, holes = 0, bad = 0;
    long rate = 77;
    EXPECT_EQ(ogg_decode_one_vorbis_packet(vf, buf, sizeof buf, 16, &channels, &rate, &holes, &bad), 0);
    EXPECT_EQ(channels, 77);
    EXPECT_EQ(rate, 77);
    Close(vf);
}

TEST(OggDecode, BadInputGivesStatusCodesAndLeavesTheHandleAlone) {
    OggVorbis_File* const sentinel = reinterpret_cast<OggVorbis_File*>(0x1234);
    OggVorbis_File* vf = sentinel;
    const char text[] = "this is not an ogg vorbis stream at all, just words and more words";
    EXPECT_EQ(memory_stream_for_ogg_decode(text, sizeof text, &vf), OGG_DECODE_NOT_VORBIS);
    EXPECT_EQ(vf, sentinel);

    // Nothing at all.
    EXPECT_NE(memory_stream_for_ogg_decode(text, 0, &vf), OGG_DECODE_OK);
    EXPECT_EQ(vf, sentinel);

    // Cut inside the header pages: the stream cannot be opened.
    auto clip = testclip::MakeOgg(1, 22050, 4000);
    auto pages = testclip::PageOffsets(clip);
    ASSERT_GE(pages.size(), 3u);
    int status = memory_stream_for_ogg_decode(clip.data(), uint32_t(pages[1] + 10), &vf);
    EXPECT_GE(status, OGG_DECODE_READ_ERROR);
    EXPECT_LE(status, OGG_DECODE_OTHER_ERROR);
    EXPECT_EQ(vf, sentinel);

    // Every open error maps to its code.
    EXPECT_EQ(OggStatusOfError(OV_EREAD), 3);
    EXPECT_EQ(OggStatusOfError(OV_ENOTVORBIS), 4);
    EXPECT_EQ(OggStatusOfError(OV_EVERSION), 5);
    EXPECT_EQ(OggStatusOfError(OV_EBADHEADER), 6);
    EXPECT_EQ(OggStatusOfError(OV_EFAULT), 7);
    EXPECT_EQ(OggStatusOfError(OV_EIMPL), 8);
    EXPECT_EQ(final_ogg_cleanup(nullptr), 0);
}

TEST(OggDecode, TruncatedAudioDecodesWhatIsThereAndEnds) {
    auto clip = testclip::MakeOgg(2, 22050, 40000, 440.0, 0.5f, true);
    OggVorbis_File* vf = nullptr;
    uint32_t cut = uint32_t(clip.size() / 2);
    ASSERT_EQ(memory_stream_for_ogg_decode(clip.data(), cut, &vf), 0);
    Decoded d = DecodeAll(vf);
    EXPECT_GT(d.pcm.size(), 0u);
    EXPECT_LT(d.pcm.size(), size_t(40000 * 4));
    Close(vf);
}

TEST(OggDecode, DamagedPageCountsAHoleAndDecodingGoesOn) {
    auto clip = testclip::MakeOgg(1, 22050, 60000, 440.0, 0.5f, true);
    auto pages = testclip::PageOffsets(clip);
    ASSERT_GE(pages.size(), 6u);
    // Break the checksum of an audio page in the middle.
    size_t victim = pages[pages.size() / 2];
    clip[victim + 30] ^= 0x5A;
    OggVorbis_File* vf = nullptr;
    ASSERT_EQ(memory_stream_for_ogg_decode(clip.data(), uint32_t(clip.size()), &vf), 0);
    Decoded d = DecodeAll(vf);
    EXPECT_GE(d.holes, 1);
    EXPECT_GT(d.pcm.size(), 60000u);  // more than half of the clip survives
    EXPECT_LT(d.pcm.size(), 60000u * 2);
    Close(vf);
}

TEST(OggDecode, DecodingAClosedHandleEndsInsteadOfLooping) {
    auto clip = testclip::MakeOgg(1, 22050, 2000);
    OggVorbis_File* vf = nullptr;
    ASSERT_EQ(memory_stream_for_ogg_decode(clip.data(), uint32_t(clip.size()), &vf), 0);
    EXPECT_EQ(final_ogg_cleanup(vf), 0);
    char buf[512];
    int holes = 0, bad = 0, channels = 0;
    long rate = 0;
    EXPECT_EQ(ogg_decode_one_vorbis_packet(vf, buf, sizeof buf, 16, &channels, &rate, &holes, &bad), 0);
    EXPECT_EQ(ogg_decode_one_vorbis_packet(nullptr, buf, sizeof buf, 16, &channels, &rate, &holes, &bad), 0);
    std::free(vf);
}

TEST(OggDecode, MemorySeeksStayInsideTheData) {
    unsigned char bytes[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    auto* s = static_cast<OggMemoryStream*>(std::malloc(sizeof(OggMemoryStream)));
    s->data = static_cast<unsigned char*>(std::malloc(10));
    std::memcpy(s->data, bytes, 10);
    s->length = 10;
    s->position = 0;
    unsigned char out[16];

    EXPECT_EQ(OggMemorySeek(s, 25, SEEK_SET), 0);
    EXPECT_EQ(OggMemoryTell(s), 10);
    EXPECT_EQ(OggMemoryRead(out, 1, 16, s), 0u);

    EXPECT_EQ(OggMemorySeek(s, 0, SEEK_END), 0);
    EXPECT_EQ(OggMemoryTell(s), 10);

    EXPECT_EQ(OggMemorySeek(s, -4, SEEK_END), 0);
    EXPECT_EQ(OggMemoryRead(out, 1, 16, s), 4u);
    EXPECT_EQ(out[0], 6);

    EXPECT_EQ(OggMemorySeek(s, 3, SEEK_SET), 0);
    EXPECT_EQ(OggMemorySeek(s, 100, SEEK_CUR), 0);
    EXPECT_EQ(OggMemoryTell(s), 10);
    // Moving back past the start or the end past the front stops at the start.
    EXPECT_EQ(OggMemorySeek(s, -50, SEEK_CUR), 0);
    EXPECT_EQ(OggMemoryTell(s), 0);
    EXPECT_EQ(OggMemorySeek(s, -50, SEEK_END), 0);
    EXPECT_EQ(OggMemoryTell(s), 0);
    EXPECT_EQ(OggMemoryRead(out, 1, 3, s), 3u);
    EXPECT_EQ(out[2], 2);
    EXPECT_EQ(OggMemoryTell(s), 3);

    EXPECT_EQ(OggMemorySeek(nullptr, 0, SEEK_SET), -1);
    EXPECT_EQ(OggMemoryTell(nullptr), -1);
    EXPECT_EQ(OggMemoryClose(nullptr), -1);
    EXPECT_EQ(OggMemoryRead(out, 1, 3, nullptr), 0u);
    EXPECT_EQ(OggMemoryClose(s), 0);
}

#pragma once
// Turns PNG, JPEG and TGA files held in memory into RGBA pixels (rows top
// first). Runs on whichever thread loads; the upload happens later.
#include <cstddef>
#include <cstdint>
#include <vector>

enum class PictureFormat { Unknown, Png, Jpeg, Tga };

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // width × height × 4
};

// The format by signature; anything without the PNG or JPEG mark that has a
// plausible TGA header counts as TGA.
PictureFormat DetectPictureFormat(const uint8_t* data, size_t size);
// The size a header states, without decoding; false when it cannot be read
// (the decode then decides).
bool ReadPictureSize(const uint8_t* data, size_t size, int& width, int& height);
// False for corrupt, truncated or unsupported data; out is then empty.
bool DecodePicture(const uint8_t* data, size_t size, DecodedPicture& out);
bool DecodePng(const uint8_t* data, size_t size, DecodedPicture& out);
bool DecodeJpeg(const uint8_t* data, size_t size, DecodedPicture& out);
bool DecodeTga(const uint8_t* data, size_t size, DecodedPicture& out);

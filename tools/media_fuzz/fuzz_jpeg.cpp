// Arbitrary bytes through the JPEG picture decoder.
#include "engine/PictureDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedPicture picture;
    DecodeJpeg(data, size, picture);
    return 0;
}

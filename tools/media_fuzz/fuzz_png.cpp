// Arbitrary bytes through the PNG picture decoder.
#include "engine/PictureDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedPicture picture;
    DecodePng(data, size, picture);
    return 0;
}

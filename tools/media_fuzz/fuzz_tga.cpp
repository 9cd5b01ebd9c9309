// Arbitrary bytes through the TGA picture decoder.
#include "engine/PictureDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedPicture picture;
    DecodeTga(data, size, picture);
    return 0;
}

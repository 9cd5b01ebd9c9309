// Well-formed JPEG files built from the input with the JPEG encoder, through
// the JPEG decoder: the input chooses the size, the colour space, the
// sampling, baseline or progressive coding, restart markers, the quality and
// the pixels, so each run decodes a real picture of another shape. A few
// choices then damage the built file in one place.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "tools/media_fuzz/FuzzBytes.h"

namespace {

// The encoder only fails on programming errors; a quiet one keeps the run going.
void Quiet(j_common_ptr) {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in(data, size);
    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    err.output_message = Quiet;
    jpeg_create_compress(&info);
    unsigned char* file = nullptr;
    unsigned long fileSize = 0;
    jpeg_mem_dest(&info, &file, &fileSize);

    info.image_width = JDIMENSION(in.Range(1, 64));
    info.image_height = JDIMENSION(in.Range(1, 64));
    static const J_COLOR_SPACE kSpaces[] = {JCS_GRAYSCALE, JCS_RGB, JCS_CMYK};
    static const int kComponents[] = {1, 3, 4};
    const int space = in.Range(0, 2);
    info.in_color_space = kSpaces[space];
    info.input_components = kComponents[space];
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, in.Range(1, 100), TRUE);
    if (space == 1 && in.Flag()) jpeg_set_colorspace(&info, JCS_RGB);  // stored without YCbCr
    if (info.num_components > 1) {
        info.comp_info[0].h_samp_factor = in.Range(1, 2);
        info.comp_info[0].v_samp_factor = in.Range(1, 2);
    }
    if (in.Flag()) jpeg_simple_progression(&info);
    info.restart_in_rows = in.Flag() ? in.Range(1, 4) : 0;
    info.optimize_coding = in.Flag();
    const uint8_t damage = in.Byte();

    jpeg_start_compress(&info, TRUE);
    const size_t rowBytes = size_t(info.image_width) * size_t(info.input_components);
    std::vector<uint8_t> row(rowBytes);
    const uint8_t* pixels = in.Rest();
    const size_t available = in.RestSize();
    size_t next = 0;
    while (info.next_scanline < info.image_height) {
        for (uint8_t& b : row) b = available ? pixels[next++ % available] : uint8_t(next++ * 53);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);

    std::vector<uint8_t> bytes(file, file + fileSize);
    std::free(file);
    if (damage == 1) bytes.resize(bytes.size() / 2);  // cut short
    if (damage >= 16 && bytes.size() > 2) bytes[2 + (size_t(damage) * 13) % (bytes.size() - 2)] ^= damage;

    DecodeBuiltPicture(bytes);
    return 0;
}

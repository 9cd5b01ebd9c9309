#include "tools/assetpack/Encoders.h"
#include "platform/OggDecode.h"
#include "tools/assetpack/LittleEndian.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <jpeglib.h>
#include <png.h>
#include <vorbis/vorbisenc.h>

namespace {

void PngWrite(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void PngFlush(png_structp) {}

}  // namespace

std::vector<uint8_t> EncodePng(const Canvas& canvas) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, PngWrite, PngFlush);
    // Placeholders are flat colours: fast settings compress them well.
    png_set_compression_level(png, 3);
    png_set_filter(png, 0, PNG_FILTER_SUB);
    png_set_IHDR(png, info, static_cast<png_uint_32>(canvas.Width()), static_cast<png_uint_32>(canvas.Height()), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const uint8_t* pixels = canvas.Pixels().data();
    for (int y = 0; y < canvas.Height(); ++y)
        png_write_row(png, const_cast<png_bytep>(pixels + static_cast<size_t>(y) * canvas.Width() * 4));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint8_t> EncodeJpeg(const Canvas& canvas, int quality) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(canvas.Width());
    cinfo.image_height = static_cast<JDIMENSION>(canvas.Height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(canvas.Width()) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint8_t* src = canvas.Pixels().data() + static_cast<size_t>(cinfo.next_scanline) * canvas.Width() * 4;
        for (int x = 0; x < canvas.Width(); ++x) {
            // No alpha in JPEG: composite over black.
            unsigned a = src[x * 4 + 3];
            for (int k = 0; k < 3; ++k)
                row[static_cast<size_t>(x) * 3 + k] = static_cast<uint8_t>(src[x * 4 + k] * a / 255);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

std::vector<uint8_t> EncodeTga(const Canvas& canvas) {
    std::vector<uint8_t> out;
    out.push_back(0);  // id length
    out.push_back(0);  // no colour map
    out.push_back(2);  // uncompressed true colour
    for (int i = 0; i < 5; ++i) out.push_back(0);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<uint32_t>(canvas.Width()));
    Put16(out, static_cast<uint32_t>(canvas.Height()));
    out.push_back(32);
    out.push_back(8);  // 8 alpha bits, origin bottom left
    for (int y = canvas.Height() - 1; y >= 0; --y)
        for (int x = 0; x < canvas.Width(); ++x) {
            Rgba c = canvas.At(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
            out.push_back(c.a);
        }
    return out;
}

std::vector<uint8_t> EncodeCursor(const Canvas& canvas, int hotX, int hotY) {
    const int w = canvas.Width(), h = canvas.Height();
    const int maskStride = ((w + 31) / 32) * 4;
    const uint32_t imageSize = static_cast<uint32_t>(40 + w * h * 4 + maskStride * h);
    std::vector<uint8_t> out;
    Put16(out, 0);  // reserved
    Put16(out, 2);  // cursor
    Put16(out, 1);  // one image
    out.push_back(static_cast<uint8_t>(w));
    out.push_back(static_cast<uint8_t>(h));
    out.push_back(0);  // colour count
    out.push_back(0);
    Put16(out, static_cast<uint32_t>(hotX));
    Put16(out, static_cast<uint32_t>(hotY));
    Put32(out, imageSize);
    Put32(out, 22);
    // BITMAPINFOHEADER: the height counts colour and mask.
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(w));
    Put32(out, static_cast<uint32_t>(h * 2));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(w * h * 4 + maskStride * h));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            Rgba c = canvas.At(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
            out.push_back(c.a);
        }
    // AND mask: 1 where transparent.
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(maskStride), 0);
        for (int x = 0; x < w; ++x)
            if (canvas.At(x, y).a < 128) row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<int16_t> ToPcm(const std::vector<double>& signal) {
    std::vector<int16_t> pcm(signal.size());
    for (size_t i = 0; i < signal.size(); ++i)
        pcm[i] = static_cast<int16_t>(std::lround(std::max(-1.0, std::min(1.0, signal[i])) * 32767.0));
    return pcm;
}

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int rate) {
    std::vector<uint8_t> out;
    uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    Put32(out, 36 + dataSize);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, static_cast<uint32_t>(rate));
    Put32(out, static_cast<uint32_t>(rate * 2));
    Put16(out, 2);
    Put16(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    Put32(out, dataSize);
    for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
    return out;
}

std::vector<uint8_t> EncodeOggVorbis(const std::vector<int16_t>& samples, int rate, const OggEncodeOptions& options) {
    std::vector<uint8_t> out;
    const int channels = options.channels < 1 ? 1 : options.channels;
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, channels, rate, options.quality) != 0) {
        vorbis_info_clear(&vi);
        return out;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, options.serial);
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page page;
    auto emit = [&](const ogg_page& p) {
        out.insert(out.end(), p.header, p.header + p.header_len);
        out.insert(out.end(), p.body, p.body + p.body_len);
    };
    while (ogg_stream_flush(&os, &page) != 0) emit(page);

    const size_t frames = samples.size() / size_t(channels);
    const size_t chunk = 1024;
    size_t at = 0;
    bool eos = false;
    while (!eos) {
        size_t n = std::min(chunk, frames - at);
        if (n == 0) {
            vorbis_analysis_wrote(&vd, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (size_t i = 0; i < n; ++i)
                for (int c = 0; c < channels; ++c)
                    buffer[c][i] = samples[(at + i) * size_t(channels) + size_t(c)] / 32768.0f;
            vorbis_analysis_wrote(&vd, static_cast<int>(n));
            at += n;
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&vd, &packet)) {
                ogg_stream_packetin(&os, &packet);
                while (!eos &&
                       (options.pagePerPacket ? ogg_stream_flush(&os, &page) : ogg_stream_pageout(&os, &page)) != 0) {
                    emit(page);
                    if (ogg_page_eos(&page)) eos = true;
                }
            }
        }
    }
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
}

std::vector<int16_t> DecodeOggVorbis(const std::vector<uint8_t>& file) {
    // Through the game's own decoding, so what is measured is what it plays.
    std::vector<int16_t> out;
    OggVorbis_File* handle = nullptr;
    if (memory_stream_for_ogg_decode(file.data(), uint32_t(file.size()), &handle) != OGG_DECODE_OK) return out;
    char buffer[8192];
    int channels = 1;
    long rate = 0;
    for (long n; (n = ogg_decode_one_vorbis_packet(handle, buffer, sizeof buffer, 16, &channels, &rate, nullptr,
                                                   nullptr)) > 0;) {
        const size_t at = out.size();
        out.resize(at + size_t(n) / 2);
        std::memcpy(out.data() + at, buffer, size_t(n / 2) * 2);
    }
    final_ogg_cleanup(handle);
    std::free(handle);
    return out;
}

#include "platform/OggDecode.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Errors other than holes and bad links that may come back in a row before a
// decode gives up: a file that cannot be read any more never recovers.
constexpr int kMaxHardErrors = 8;

std::string Utf8OfUtf16(const char16_t* s) {
    std::string out;
    for (; *s; ++s) {
        uint32_t c = *s;
        if (c >= 0xD800 && c <= 0xDBFF && s[1] >= 0xDC00 && s[1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (uint32_t(s[1]) - 0xDC00);
            ++s;
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace

int OggStatusOfError(int error) {
    switch (error) {
    case 0: return OGG_DECODE_OK;
    case OV_EREAD: return OGG_DECODE_READ_ERROR;
    case OV_ENOTVORBIS: return OGG_DECODE_NOT_VORBIS;
    case OV_EVERSION: return OGG_DECODE_BAD_VERSION;
    case OV_EBADHEADER: return OGG_DECODE_BAD_HEADER;
    case OV_EFAULT: return OGG_DECODE_FAULT;
    default: return OGG_DECODE_OTHER_ERROR;
    }
}

size_t OggMemoryRead(void* destination, size_t size, size_t count, void* stream) {
    auto* s = static_cast<OggMemoryStream*>(stream);
    if (!s) {
        // A size_t cannot carry -1 back; libvorbisfile reads 0 with errno as an error.
        errno = EINVAL;
        return 0;
    }
    size_t left = s->position < s->length ? size_t(s->length - s->position) : 0;
    size_t n = size * count;
    if (n > left) n = left;
    if (n) std::memcpy(destination, s->data + s->position, n);
    s->position += uint32_t(n);
    return n;
}

int OggMemorySeek(void* stream, ogg_int64_t offset, int whence) {
    auto* s = static_cast<OggMemoryStream*>(stream);
    if (!s) return -1;
    ogg_int64_t target;
    switch (whence) {
    case SEEK_SET: target = offset; break;
    case SEEK_CUR: target = ogg_int64_t(s->position) + offset; break;
    case SEEK_END: target = ogg_int64_t(s->length) + offset; break;
    default: return -1;
    }
    // Always inside the data: a position before the start or past the end
    // would make the next read copy from outside the buffer.
    if (target < 0) target = 0;
    if (target > ogg_int64_t(s->length)) target = s->length;
    s->position = uint32_t(target);
    return 0;
}

int OggMemoryClose(void* stream) {
    auto* s = static_cast<OggMemoryStream*>(stream);
    if (!s) return -1;
    std::free(s->data);
    std::free(s);
    return 0;
}

long OggMemoryTell(void* stream) {
    auto* s = static_cast<OggMemoryStream*>(stream);
    if (!s) return -1;
    return long(s->position);
}

extern "C" {

int init_for_ogg_decode(const char16_t* path, OggVorbis_File** handle) {
    if (!handle) return OGG_DECODE_OTHER_ERROR;
    *handle = nullptr;
    if (!path) return OGG_DECODE_CANNOT_OPEN;
    FILE* file = std::fopen(Utf8OfUtf16(path).c_str(), "rb");
    if (!file) return OGG_DECODE_CANNOT_OPEN;
    auto* vf = static_cast<OggVorbis_File*>(std::malloc(sizeof(OggVorbis_File)));
    if (!vf) {
        std::fclose(file);
        return OGG_DECODE_NO_MEMORY;
    }
    int result = ov_open(file, vf, nullptr, 0);
    if (result == 0) {
        *handle = vf;
        return OGG_DECODE_OK;
    }
    // A failed open leaves the file to us.
    std::fclose(file);
    std::free(vf);
    return OggStatusOfError(result);
}

int memory_stream_for_ogg_decode(const void* data, uint32_t length, OggVorbis_File** handle) {
    if (!handle || (!data && length)) return OGG_DECODE_OTHER_ERROR;
    auto* vf = static_cast<OggVorbis_File*>(std::malloc(sizeof(OggVorbis_File)));
    if (!vf) return OGG_DECODE_NO_MEMORY;
    auto* stream = static_cast<OggMemoryStream*>(std::malloc(sizeof(OggMemoryStream)));
    unsigned char* copy = static_cast<unsigned char*>(std::malloc(length ? length : 1));
    if (!stream || !copy) {
        std::free(stream);
        std::free(copy);
        std::free(vf);
        return OGG_DECODE_NO_MEMORY;
    }
    if (length) std::memcpy(copy, data, length);
    stream->data = copy;
    stream->length = length;
    stream->position = 0;
    ov_callbacks callbacks = {OggMemoryRead, OggMemorySeek, OggMemoryClose, OggMemoryTell};
    int result = ov_open_callbacks(stream, vf, nullptr, 0, callbacks);
    if (result == 0) {
        *handle = vf;
        return OGG_DECODE_OK;
    }
    // libvorbisfile does not close the source of a failed open.
    std::free(vf);
    OggMemoryClose(stream);
    return OggStatusOfError(result);
}

long ogg_decode_one_vorbis_packet(OggVorbis_File* handle, char* buffer, int length, int bits, int* channels, long* rate,
                                  int* holes, int* badLinks) {
    if (!handle || !buffer || length <= 0) return 0;
    const int word = bits == 8 ? 1 : 2;
    const int sgned = bits == 8 ? 0 : 1;
    int hardErrors = 0;
    long result;
    for (;;) {
        int section = 0;
        result = ov_read(handle, buffer, length, 0, word, sgned, &section);
        if (result >= 0) break;
        if (result == OV_HOLE) {
            if (holes) ++*holes;
        } else if (result == OV_EBADLINK) {
            if (badLinks) ++*badLinks;
        } else if (++hardErrors >= kMaxHardErrors) {
            return 0;
        }
    }
    if (result == 0) return 0;
    if (vorbis_info* info = ov_info(handle, -1)) {
        if (channels) *channels = info->channels;
        if (rate) *rate = info->rate;
    }
    return result;
}

int final_ogg_cleanup(OggVorbis_File* handle) {
    if (!handle) return 0;
    return ov_clear(handle);
}

}  // extern "C"

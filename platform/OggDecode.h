#pragma once
// Ogg Vorbis decoding over libvorbisfile, exported by plain names for other
// users of the program; the sound loader decodes through them as well.
// Results are small status codes instead of libvorbisfile's errors.
#include <cstddef>
#include <cstdint>

#include <vorbis/vorbisfile.h>

enum OggDecodeStatus {
    OGG_DECODE_OK = 0,
    OGG_DECODE_CANNOT_OPEN = 1,
    OGG_DECODE_NO_MEMORY = 2,
    OGG_DECODE_READ_ERROR = 3,   // OV_EREAD
    OGG_DECODE_NOT_VORBIS = 4,   // OV_ENOTVORBIS
    OGG_DECODE_BAD_VERSION = 5,  // OV_EVERSION
    OGG_DECODE_BAD_HEADER = 6,   // OV_EBADHEADER
    OGG_DECODE_FAULT = 7,        // OV_EFAULT
    OGG_DECODE_OTHER_ERROR = 8,
};

// The data source behind a memory stream: an own copy of the bytes.
struct OggMemoryStream {
    unsigned char* data;
    uint32_t length;
    uint32_t position;
};

extern "C" {

// Opens a file by its UTF-16 path. *handle is null unless the result is 0.
int init_for_ogg_decode(const char16_t* path, OggVorbis_File** handle);
// Opens a stream over a copy of length bytes. *handle is untouched on failure.
int memory_stream_for_ogg_decode(const void* data, uint32_t length, OggVorbis_File** handle);
// Decodes up to length bytes (bits 8: unsigned bytes, otherwise 16-bit signed,
// little-endian). Returns the byte count, 0 at the end of the stream (or on
// an error that persists). Holes and bad links are counted and skipped; the
// channels and rate of the current stream are written when data comes back.
long ogg_decode_one_vorbis_packet(OggVorbis_File* handle, char* buffer, int length, int bits, int* channels, long* rate,
                                  int* holes, int* badLinks);
// ov_clear on the handle (0 for null); the caller frees the handle itself.
int final_ogg_cleanup(OggVorbis_File* handle);

}  // extern "C"

// The memory stream's callbacks, in the order libvorbisfile takes them.
size_t OggMemoryRead(void* destination, size_t size, size_t count, void* stream);
int OggMemorySeek(void* stream, ogg_int64_t offset, int whence);
int OggMemoryClose(void* stream);
long OggMemoryTell(void* stream);

// Maps a libvorbisfile open error to a status code.
int OggStatusOfError(int error);

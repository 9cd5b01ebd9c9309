#include "platform/ZipBlockFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Small blocks, a few of them: the reads of the directory and those of the
// entries' own headers far away alternate, and each keeps its block.
constexpr size_t kBlock = 4096;
constexpr size_t kBlocks = 4;

struct Block {
    std::vector<uint8_t> bytes;
    uint64_t at = 0;  // where it starts in the file
    size_t length = 0;
    uint64_t used = 0;  // when it last served a read
};

struct BlockFile {
    std::FILE* file = nullptr;
    uint64_t size = 0;
    uint64_t position = 0;
    Block blocks[kBlocks];
    uint64_t reads = 0;
    bool failed = false;
};

bool SeekTo(BlockFile& f, uint64_t at) {
    if (std::fseek(f.file, long(at), SEEK_SET) == 0) return true;
    f.failed = true;
    return false;
}

// The block holding the position, read in place of the least used one; null
// at the end of the file or on an error.
Block* BlockAt(BlockFile& f) {
    Block* oldest = &f.blocks[0];
    for (Block& b : f.blocks) {
        if (f.position >= b.at && f.position < b.at + b.length) return &b;
        if (b.used < oldest->used) oldest = &b;
    }
    oldest->bytes.resize(kBlock);
    oldest->at = f.position - f.position % kBlock;
    oldest->length = 0;
    if (!SeekTo(f, oldest->at)) return nullptr;
    oldest->length = std::fread(oldest->bytes.data(), 1, kBlock, f.file);
    if (std::ferror(f.file)) f.failed = true;
    return f.position < oldest->at + oldest->length ? oldest : nullptr;
}

voidpf ZCALLBACK Open(voidpf, const void* name, int mode) {
    if (!name || (mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) return nullptr;
    std::FILE* file = std::fopen(static_cast<const char*>(name), "rb");
    if (!file) return nullptr;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    if (size < 0) {
        std::fclose(file);
        return nullptr;
    }
    auto* f = new BlockFile;
    f->file = file;
    f->size = uint64_t(size);
    return f;
}

uLong ZCALLBACK Read(voidpf, voidpf stream, void* buffer, uLong length) {
    auto& f = *static_cast<BlockFile*>(stream);
    auto* out = static_cast<uint8_t*>(buffer);
    uLong done = 0;
    // Large reads (an entry's data) go straight to the file.
    if (length >= kBlock) {
        if (!SeekTo(f, f.position)) return 0;
        done = uLong(std::fread(out, 1, length, f.file));
        if (std::ferror(f.file)) f.failed = true;
        f.position += done;
        return done;
    }
    while (done < length && f.position < f.size) {
        Block* b = BlockAt(f);
        if (!b) break;
        b->used = ++f.reads;
        const size_t at = size_t(f.position - b->at);
        const size_t n = std::min<size_t>(length - done, b->length - at);
        std::memcpy(out + done, b->bytes.data() + at, n);
        done += uLong(n);
        f.position += n;
    }
    return done;
}

uLong ZCALLBACK Write(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK Tell(voidpf, voidpf stream) { return static_cast<BlockFile*>(stream)->position; }

long ZCALLBACK Seek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto& f = *static_cast<BlockFile*>(stream);
    uint64_t base = 0;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET: base = 0; break;
    case ZLIB_FILEFUNC_SEEK_CUR: base = f.position; break;
    case ZLIB_FILEFUNC_SEEK_END: base = f.size; break;
    default: return -1;
    }
    f.position = base + offset;  // past the end as fseek allows; reads there find nothing
    return 0;
}

int ZCALLBACK Close(voidpf, voidpf stream) {
    auto* f = static_cast<BlockFile*>(stream);
    const int result = std::fclose(f->file);
    delete f;
    return result;
}

int ZCALLBACK TestError(voidpf, voidpf stream) { return static_cast<BlockFile*>(stream)->failed ? 1 : 0; }

}  // namespace

zlib_filefunc64_def ZipBlockFileFunctions() {
    zlib_filefunc64_def functions{};
    functions.zopen64_file = Open;
    functions.zread_file = Read;
    functions.zwrite_file = Write;
    functions.ztell64_file = Tell;
    functions.zseek64_file = Seek;
    functions.zclose_file = Close;
    functions.zerror_file = TestError;
    functions.opaque = nullptr;
    return functions;
}

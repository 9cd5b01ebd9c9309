#include "platform/ReadWholeFile.h"

#include <cstdint>
#include <cstdlib>
#include <new>

VxFile* ReadWholeFile(std::FILE* stream) {
    if (!stream) return nullptr;
    long length = -1;
    if (std::fseek(stream, 0, SEEK_END) == 0) length = std::ftell(stream);
    // The size field is 32 bits wide; longer streams are not resources.
    if (length < 0 || uint64_t(length) >= UINT32_MAX || std::fseek(stream, 0, SEEK_SET) != 0) {
        std::fclose(stream);
        return nullptr;
    }
    VxFile* file = new (std::nothrow) VxFile;
    char* data = static_cast<char*>(std::malloc(size_t(length) + 1));
    if (!file || !data) {
        delete file;
        std::free(data);
        std::fclose(stream);
        return nullptr;
    }
    const size_t read = std::fread(data, 1, size_t(length), stream);
    std::fclose(stream);
    if (read != size_t(length)) {
        std::free(data);
        delete file;
        return nullptr;
    }
    data[length] = '\0';
    file->data = data;
    file->cursor = data;
    file->size = uint32_t(length);
    file->position = 0;
    return file;
}

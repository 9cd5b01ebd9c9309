#include "tools/assetpack/ZipWriter.h"

#include <cstdio>
#include <zlib.h>

#include "platform/ZipCrypto.h"
#include "tools/assetpack/LittleEndian.h"

namespace {}  // namespace

std::vector<uint8_t> DeflateRaw(const uint8_t* data, size_t size, int level) {
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> out(deflateBound(&z, static_cast<uLong>(size)) + 16);
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

void ZipWriter::AddDirectory(const std::string& name, uint32_t externalAttributes, uint8_t hostByte) {
    ZipWriteOptions options;
    options.deflate = false;
    options.externalAttributes = externalAttributes;
    options.hostByte = hostByte;
    AddFile(name, std::vector<uint8_t>(), options);
}

void ZipWriter::AddFile(const std::string& name, const std::string& text, const ZipWriteOptions& options) {
    AddFile(name, std::vector<uint8_t>(text.begin(), text.end()), options);
}

void ZipWriter::AddFile(const std::string& name, const std::vector<uint8_t>& data, const ZipWriteOptions& options) {
    Entry e{};
    e.name = name;
    e.method = options.deflate ? 8 : 0;
    e.dosTime = options.dosTime;
    e.dosDate = options.dosDate;
    e.crc = static_cast<uint32_t>(crc32(0, data.data(), static_cast<uInt>(data.size())));
    e.size = static_cast<uint32_t>(data.size());
    e.external = options.externalAttributes;
    e.hostByte = options.hostByte;
    e.localOffset = static_cast<uint32_t>(m_body.size());

    std::vector<uint8_t> payload = options.deflate ? DeflateRaw(data.data(), data.size(), options.level) : data;
    if (!options.password.empty()) {
        e.flags |= 1;
        ZipCrypto crypto(options.password.c_str());
        std::vector<uint8_t> sealed;
        sealed.reserve(payload.size() + 12);
        // Header filler is derived from the name so that packs are reproducible.
        uint32_t seed = e.crc ^ 0x9E3779B9u;
        for (char c : name) seed = seed * 31u + static_cast<uint8_t>(c);
        for (int i = 0; i < 11; ++i) {
            seed = seed * 1103515245u + 12345u;
            sealed.push_back(crypto.Encrypt(static_cast<uint8_t>(seed >> 16)));
        }
        sealed.push_back(crypto.Encrypt(static_cast<uint8_t>(e.crc >> 24)));
        for (uint8_t b : payload) sealed.push_back(crypto.Encrypt(b));
        payload.swap(sealed);
    }
    e.compressedSize = static_cast<uint32_t>(payload.size());

    Put32(m_body, 0x04034b50u);
    Put16(m_body, 20);
    Put16(m_body, e.flags);
    Put16(m_body, e.method);
    Put16(m_body, e.dosTime);
    Put16(m_body, e.dosDate);
    Put32(m_body, e.crc);
    Put32(m_body, e.compressedSize);
    Put32(m_body, e.size);
    Put16(m_body, static_cast<uint32_t>(name.size()));
    Put16(m_body, static_cast<uint32_t>(options.localExtra.size()));
    m_body.insert(m_body.end(), name.begin(), name.end());
    m_body.insert(m_body.end(), options.localExtra.begin(), options.localExtra.end());
    m_body.insert(m_body.end(), payload.begin(), payload.end());
    m_entries.push_back(e);
}

std::vector<uint8_t> ZipWriter::Finish() const {
    std::vector<uint8_t> out = m_body;
    uint32_t directoryStart = static_cast<uint32_t>(out.size());
    for (const Entry& e : m_entries) {
        Put32(out, 0x02014b50u);
        Put16(out, (static_cast<uint32_t>(e.hostByte) << 8) | 20u);
        Put16(out, 20);
        Put16(out, e.flags);
        Put16(out, e.method);
        Put16(out, e.dosTime);
        Put16(out, e.dosDate);
        Put32(out, e.crc);
        Put32(out, e.compressedSize);
        Put32(out, e.size);
        Put16(out, static_cast<uint32_t>(e.name.size()));
        Put16(out, 0);  // extra
        Put16(out, 0);  // comment
        Put16(out, 0);  // disk
        Put16(out, 0);  // internal attributes
        Put32(out, e.external);
        Put32(out, e.localOffset);
        out.insert(out.end(), e.name.begin(), e.name.end());
    }
    uint32_t directorySize = static_cast<uint32_t>(out.size()) - directoryStart;
    Put32(out, 0x06054b50u);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<uint32_t>(m_entries.size()));
    Put16(out, static_cast<uint32_t>(m_entries.size()));
    Put32(out, directorySize);
    Put32(out, directoryStart);
    Put16(out, 0);
    return out;
}

bool ZipWriter::WriteTo(const std::string& path) const {
    std::vector<uint8_t> bytes = Finish();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

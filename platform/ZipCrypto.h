#pragma once
// Traditional PKWARE stream cipher: three 32-bit keys driven by CRC-32.
// The archive reader uses it to check the 12-byte header of an encrypted
// entry (minizip decrypts it without checking); the asset packer encrypts.
#include <cstddef>
#include <cstdint>

struct ZipCrcTable {
    uint32_t v[256];
    constexpr ZipCrcTable() : v() {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
            v[n] = c;
        }
    }
};
inline constexpr ZipCrcTable kZipCrcTable{};

class ZipCrypto {
public:
    explicit ZipCrypto(const char* password) {
        for (const char* p = password; *p; ++p) Update(m_keys, static_cast<uint8_t>(*p));
    }

    // Decrypts the bytes in place, with the keys in a local copy: the bytes
    // written could alias the members, which would make the compiler reload
    // them for every byte of every entry read.
    void DecryptBuffer(uint8_t* data, size_t size) {
        uint32_t keys[3] = {m_keys[0], m_keys[1], m_keys[2]};
        for (size_t i = 0; i < size; ++i) {
            data[i] ^= StreamByte(keys);
            Update(keys, data[i]);
        }
        for (int k = 0; k < 3; ++k) m_keys[k] = keys[k];
    }

    uint8_t Encrypt(uint8_t plain) {
        uint8_t c = plain ^ StreamByte(m_keys);
        Update(m_keys, plain);
        return c;
    }

private:
    static uint32_t Crc32Byte(uint32_t crc, uint8_t b) { return kZipCrcTable.v[(crc ^ b) & 0xFFu] ^ (crc >> 8); }

    static uint8_t StreamByte(const uint32_t keys[3]) {
        uint32_t t = (keys[2] & 0xFFFFu) | 2u;
        return static_cast<uint8_t>((t * (t ^ 1u)) >> 8);
    }

    static void Update(uint32_t keys[3], uint8_t plain) {
        keys[0] = Crc32Byte(keys[0], plain);
        keys[1] += keys[0] & 0xFFu;
        keys[1] = keys[1] * 134775813u + 1u;
        keys[2] = Crc32Byte(keys[2], static_cast<uint8_t>(keys[1] >> 24));
    }

    uint32_t m_keys[3] = {0x12345678u, 0x23456789u, 0x34567890u};
};

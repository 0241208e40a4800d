#include "zip_writer.h"

#include <array>
#include <cstdint>
#include <fstream>

namespace lorvane::test {
namespace {

uint32_t crc32(const std::string& data) {
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : data)
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void put16(std::string& out, uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void put32(std::string& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

}  // namespace

// Stored entries (no compression), made on Unix, so the link bit of the mode is kept.
void writeZip(const std::filesystem::path& path, const std::vector<ZipEntry>& entries) {
    constexpr uint32_t kDosTime = 0, kDosDate = (1 << 5) | 1;  // 1980-01-01
    std::string body, directory;
    for (const ZipEntry& entry : entries) {
        const uint32_t crc = crc32(entry.content);
        const auto size = static_cast<uint32_t>(entry.content.size());
        const auto offset = static_cast<uint32_t>(body.size());
        put32(body, 0x04034b50);
        put16(body, 10);
        put16(body, 0);
        put16(body, 0);
        put16(body, kDosTime);
        put16(body, kDosDate);
        put32(body, crc);
        put32(body, size);
        put32(body, size);
        put16(body, static_cast<uint32_t>(entry.name.size()));
        put16(body, 0);
        body += entry.name;
        body += entry.content;

        const uint32_t mode = entry.symlink ? 0120777 : 0100644;
        put32(directory, 0x02014b50);
        put16(directory, (3 << 8) | 20);
        put16(directory, 10);
        put16(directory, 0);
        put16(directory, 0);
        put16(directory, kDosTime);
        put16(directory, kDosDate);
        put32(directory, crc);
        put32(directory, size);
        put32(directory, size);
        put16(directory, static_cast<uint32_t>(entry.name.size()));
        put16(directory, 0);
        put16(directory, 0);
        put16(directory, 0);
        put16(directory, 0);
        put32(directory, mode << 16);
        put32(directory, offset);
        directory += entry.name;
    }
    std::string end;
    put32(end, 0x06054b50);
    put16(end, 0);
    put16(end, 0);
    put16(end, static_cast<uint32_t>(entries.size()));
    put16(end, static_cast<uint32_t>(entries.size()));
    put32(end, static_cast<uint32_t>(directory.size()));
    put32(end, static_cast<uint32_t>(body.size()));
    put16(end, 0);
    std::ofstream out(path, std::ios::binary);
    out << body << directory << end;
}

}  // namespace lorvane::test

// PNG output in a page, where there is no PNG library and no disk: the
// picture is encoded here (stored deflate blocks: a valid PNG without
// compression), written to the in-memory file system like any file, and
// handed to the browser as a download named like the file. The file then
// keeps its name, so later shots in the same second are numbered on, but
// not its bytes, so shots do not pile up in the page's memory.
#include "platform/png_writer.h"

#include "platform/file_output.h"
#include "platform/web/page.h"

#include <array>
#include <filesystem>

namespace {
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t maxStoredBlock = 65535; // a stored block's length field

std::array<std::uint32_t, 256> crcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

std::uint32_t crc32(const std::uint8_t* bytes, std::size_t size)
{
    static const std::array<std::uint32_t, 256> table = crcTable();
    std::uint32_t c = 0xffffffffu;
    for (std::size_t i = 0; i < size; ++i)
        c = table[(c ^ bytes[i]) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

std::uint32_t adler32(const Bytes& bytes)
{
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void putBigEndian(Bytes& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(value >> shift));
}

void putChunk(Bytes& out, const char* type, const Bytes& data)
{
    putBigEndian(out, std::uint32_t(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBigEndian(out, crc32(out.data() + start, out.size() - start));
}

// The zlib stream of `raw` in stored blocks.
Bytes storedZlib(const Bytes& raw)
{
    Bytes out{0x78, 0x01};
    std::size_t done = 0;
    do {
        const std::size_t length = std::min(maxStoredBlock, raw.size() - done);
        const bool last = done + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(std::uint8_t(length));
        out.push_back(std::uint8_t(length >> 8));
        out.push_back(std::uint8_t(~length));
        out.push_back(std::uint8_t(~length >> 8));
        out.insert(out.end(), raw.begin() + std::ptrdiff_t(done),
                   raw.begin() + std::ptrdiff_t(done + length));
        done += length;
    } while (done < raw.size());
    putBigEndian(out, adler32(raw));
    return out;
}

Bytes encodePng(int width, int height, const Bytes& rgbTopFirst)
{
    Bytes header;
    putBigEndian(header, std::uint32_t(width));
    putBigEndian(header, std::uint32_t(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, no interlace
    Bytes raw; // each row after its filter byte 0 (none)
    const std::size_t row = std::size_t(width) * 3;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), rgbTopFirst.begin() + std::ptrdiff_t(y * row),
                   rgbTopFirst.begin() + std::ptrdiff_t((y + 1) * row));
    }
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", storedZlib(raw));
    putChunk(png, "IEND", {});
    return png;
}
} // namespace

bool writePngRgb(const std::string& path, int width, int height, const Bytes& rgbTopFirst,
                 std::string& error)
{
    if (width <= 0 || height <= 0 ||
        rgbTopFirst.size() != std::size_t(width) * std::size_t(height) * 3) {
        error = "no picture to write";
        return false;
    }
    const Bytes png = encodePng(width, height, rgbTopFirst);
    if (!writeFileBytes(path, png, error))
        return false;
    const std::string name = std::filesystem::path(path).filename().string();
    pageOfferDownload(name.c_str(), png.data(), png.size());
    std::string ignored;
    writeFileBytes(path, {}, ignored);
    return true;
}

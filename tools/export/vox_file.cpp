// Encoding and writing MagicaVoxel .vox files.
#include "tools/export/vox_file.h"

#include "platform/file_output.h"

namespace {
constexpr int voxVersion = 150;

void putInt(std::vector<std::uint8_t>& bytes, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(std::uint8_t(value >> shift));
}

void putId(std::vector<std::uint8_t>& bytes, const char (&id)[5])
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(std::uint8_t(id[i]));
}

// A chunk without children.
void putChunk(std::vector<std::uint8_t>& bytes, const char (&id)[5],
              const std::vector<std::uint8_t>& content)
{
    putId(bytes, id);
    putInt(bytes, std::uint32_t(content.size()));
    putInt(bytes, 0);
    bytes.insert(bytes.end(), content.begin(), content.end());
}

std::vector<std::uint8_t> sizeContent(const VoxModel& model)
{
    std::vector<std::uint8_t> content;
    putInt(content, std::uint32_t(model.sizeX));
    putInt(content, std::uint32_t(model.sizeY));
    putInt(content, std::uint32_t(model.sizeZ));
    return content;
}

std::vector<std::uint8_t> voxelContent(const VoxModel& model)
{
    std::vector<std::uint8_t> content;
    content.reserve(4 + model.voxels.size() * 4);
    putInt(content, std::uint32_t(model.voxels.size()));
    for (const Voxel& voxel : model.voxels)
        content.insert(content.end(), {voxel.x, voxel.y, voxel.z, voxel.colour});
    return content;
}

std::vector<std::uint8_t> paletteContent(const VoxModel& model)
{
    std::vector<std::uint8_t> content;
    for (const VoxColour& colour : model.palette)
        content.insert(content.end(), {colour.r, colour.g, colour.b, colour.a});
    return content;
}
}

std::vector<std::uint8_t> encodeVox(const VoxModel& model)
{
    std::vector<std::uint8_t> children;
    putChunk(children, "SIZE", sizeContent(model));
    putChunk(children, "XYZI", voxelContent(model));
    putChunk(children, "RGBA", paletteContent(model));

    std::vector<std::uint8_t> bytes;
    putId(bytes, "VOX ");
    putInt(bytes, voxVersion);
    putId(bytes, "MAIN");
    putInt(bytes, 0);
    putInt(bytes, std::uint32_t(children.size()));
    bytes.insert(bytes.end(), children.begin(), children.end());
    return bytes;
}

bool writeVoxFile(const std::string& path, const VoxModel& model, std::string& error)
{
    return writeFileBytes(path, encodeVox(model), error);
}

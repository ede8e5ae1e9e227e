// Cube texture upload, run as the first step of every new GL context.
#include "view3d/cube_textures.h"

#include "assets/image_table.h"

#include <GL/gl.h>

std::uint32_t cubeTextureNames[cubeTextureCount];

namespace {
constexpr GLint threeComponents = 3;

// Image id 1200 + k, or null when there is no image table or the entry holds
// no complete picture. Only such a picture is handed to GL with its size:
// GL reads width x height x 3 bytes from the pointer it gets.
const ImageRecord* cubeImage(int k)
{
    if (!imageTable)
        return nullptr;
    const ImageRecord& image = imageTable[firstCubeImageId + k];
    if (!image.pixels || image.width <= 0 || image.height <= 0)
        return nullptr;
    return &image;
}

void uploadCubeImage(int k)
{
    glBindTexture(GL_TEXTURE_2D, cubeTextureNames[k]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    const ImageRecord* image = cubeImage(k);
    const GLsizei width = image ? image->width : 0;
    const GLsizei height = image ? image->height : 0;
    // Rows go to GL as stored: the file's bottom row becomes texture row 0.
    glTexImage2D(GL_TEXTURE_2D, 0, threeComponents, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 image ? image->pixels.get() : nullptr);
}
} // namespace

int loadCubeTextures()
{
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    // Image rows are packed without padding; GL's default would pad each row
    // to 4 bytes and read past the end of odd-width pictures.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glGenTextures(cubeTextureCount, cubeTextureNames);
    for (int k = 0; k < cubeImageCount; ++k)
        uploadCubeImage(k);
    return 1;
}

std::uint32_t cubeTextureFor(std::uint8_t code)
{
    return code < cubeTextureCount ? cubeTextureNames[code] : 0;
}

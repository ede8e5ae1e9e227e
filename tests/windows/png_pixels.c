/* Prints a PNG's size as "WIDTHxHEIGHT" on one line, then its pixels as raw
 * RGB bytes, top row first: two pictures compare as pixels with cmp, whatever
 * encoder wrote them. Exit status 1 when the file is no PNG. */
#include <png.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: png_pixels FILE.png\n");
        return 2;
    }
    png_image image = {0};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, argv[1]))
        return 1;
    image.format = PNG_FORMAT_RGB;
    png_bytep pixels = malloc(PNG_IMAGE_SIZE(image));
    if (!pixels || !png_image_finish_read(&image, NULL, pixels, 0, NULL))
        return 1;
    printf("%ux%u\n", image.width, image.height);
    fwrite(pixels, 1, PNG_IMAGE_SIZE(image), stdout);
    free(pixels);
    return 0;
}

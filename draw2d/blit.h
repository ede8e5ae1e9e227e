// Image blits: pictures from the image table copied into the framebuffer.
#pragma once

#include <vector>

// Draws image id with its lower-left corner at (x, y), every pixel opaque.
// The picture is drawn as a square whose side is its width, image row 0 on
// framebuffer row y; a picture shorter than it is wide draws only the rows
// it has. Ids outside the table and empty entries draw nothing. Any x and y
// are safe; only the part on the framebuffer is visited.
void blitImage(int x, int y, int id);

// As blitImage, but pixels (255, 0, 246) and (0, 0, 0) are transparent.
void blitImageKeyed(int x, int y, int id);

// One opaque blit of a run: image id with its lower-left corner at (x, y).
struct PlacedImage {
    int x;
    int y;
    int id;
};

// Leaves the framebuffer as blitImage over the images in order would, but
// writes each framebuffer pixel at most once, so that images much larger
// than the framebuffer cost about the pixels they show.
void blitImagesInOrder(const std::vector<PlacedImage>& images);

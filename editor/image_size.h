// ImageSize: an image's width and height in pixels, known from its header before any decode. An
// image that is missing or unreadable has size 0 x 0.
#pragma once

struct ImageSize {
    int width = 0;
    int height = 0;

    bool IsEmpty() const { return width <= 0 || height <= 0; }
};

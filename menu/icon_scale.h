// Resizing a small picture for a menu item, without a window or a device context.
#pragma once
#include <cstdint>

// Resizes a picture of premultiplied 32-bit pixels (alpha in the top byte), rows one after the
// other, to targetWidth x targetHeight: each target pixel is the average of the source area it
// covers, so that edges stay soft and transparency stays transparent either way.
void ScalePicture(const uint32_t* source, int sourceWidth, int sourceHeight, uint32_t* target,
                  int targetWidth, int targetHeight);

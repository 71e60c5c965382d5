// Area-average resizing of premultiplied pictures (see icon_scale.h).
#include "icon_scale.h"

#include <algorithm>

void ScalePicture(const uint32_t* source, int sourceWidth, int sourceHeight, uint32_t* target,
                  int targetWidth, int targetHeight) {
    const double stepX = double(sourceWidth) / targetWidth;
    const double stepY = double(sourceHeight) / targetHeight;
    for (int ty = 0; ty < targetHeight; ++ty) {
        const double top = ty * stepY, bottom = top + stepY;
        for (int tx = 0; tx < targetWidth; ++tx) {
            const double left = tx * stepX, right = left + stepX;
            double sum[4] = {}, area = 0;
            for (int sy = int(top); sy < sourceHeight && sy < bottom; ++sy) {
                const double high = std::min(bottom, sy + 1.0) - std::max(top, double(sy));
                for (int sx = int(left); sx < sourceWidth && sx < right; ++sx) {
                    const double weight =
                        high * (std::min(right, sx + 1.0) - std::max(left, double(sx)));
                    const uint32_t pixel = source[sy * sourceWidth + sx];
                    for (int c = 0; c < 4; ++c)
                        sum[c] += weight * ((pixel >> (8 * c)) & 0xFF);
                    area += weight;
                }
            }
            uint32_t result = 0;
            for (int c = 0; c < 4 && area > 0; ++c)
                result |= uint32_t(std::min(255.0, sum[c] / area + 0.5)) << (8 * c);
            target[ty * targetWidth + tx] = result;
        }
    }
}

// Every stored position decodes, re-encodes to itself, and restores inside the work area.
#include "fuzz_input.h"
#include "base/window_geometry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t numbers[3] = {};
    memcpy(numbers, data, size < sizeof numbers ? size : sizeof numbers);
    uint32_t stored = static_cast<uint32_t>(numbers[0]);
    int32_t left, top;
    DecodeWindowPosition(stored, &left, &top);
    FUZZ_CHECK(EncodeWindowPosition(left, top) == stored);
    // A window that fits the work area of a 1024 x 768 display comes back wholly inside it.
    ScreenRect work = {0, 0, 1024, 768};
    int32_t width = static_cast<int32_t>(static_cast<uint32_t>(numbers[1]) % 1025);
    int32_t height = static_cast<int32_t>(static_cast<uint32_t>(numbers[2]) % 769);
    ScreenRect placed = RestoredRect(stored, width, height, work);
    FUZZ_CHECK(placed.right - placed.left == width && placed.bottom - placed.top == height);
    FUZZ_CHECK(placed.left >= work.left && placed.top >= work.top);
    FUZZ_CHECK(placed.right <= work.right && placed.bottom <= work.bottom);
    return 0;
}

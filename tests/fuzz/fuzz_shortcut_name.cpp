// The shortcut-name test reads no byte outside the name, whatever its length.
#include "fuzz_input.h"
#include "mirror/tree_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzTexts texts(data, size);
    std::string name = texts.Next(PathBufferSize - 1);
    bool shortcut = IsShortcutName(name.c_str());
    size_t n = name.size();
    FUZZ_CHECK(shortcut == (n >= 3 && (name[n - 3] | 0x20) == 'l' && (name[n - 2] | 0x20) == 'n' &&
                            (name[n - 1] | 0x20) == 'k'));
    return 0;
}

// Child paths and search patterns stay within a path buffer for any folder and name.
#include "fuzz_input.h"
#include "mirror/tree_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzTexts texts(data, size);
    std::string folder = texts.Next(PathBufferSize - 1), name = texts.Next(PathBufferSize - 1);
    char out[PathBufferSize];
    ChildPath(out, folder.c_str(), name.c_str());
    FUZZ_CHECK(strlen(out) < PathBufferSize);
    SearchPattern(out, folder.c_str());
    FUZZ_CHECK(strlen(out) <= SearchPatternCut + 1 && out[strlen(out) - 1] == '*');
    return 0;
}

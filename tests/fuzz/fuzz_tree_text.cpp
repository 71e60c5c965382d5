// Child paths are whole or empty, and search patterns stay within a path buffer, for any folder
// and name.
#include "fuzz_input.h"
#include "mirror/tree_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzTexts texts(data, size);
    std::string folder = texts.Next(PathBufferSize - 1), name = texts.Next(PathBufferSize - 1);
    char out[PathBufferSize];
    // Whole or nothing: a joined path is the folder followed by the name, never a cut of them.
    if (ChildPath(out, folder.c_str(), name.c_str()))
        FUZZ_CHECK(folder + name == out && folder.back() == '\\');
    else
        FUZZ_CHECK(out[0] == '\0');
    SearchPattern(out, folder.c_str());
    FUZZ_CHECK(strlen(out) <= SearchPatternCut + 1 && out[strlen(out) - 1] == '*');
    return 0;
}

// The three mirror folders stay within a path buffer and keep their own names at the end.
#include "fuzz_input.h"
#include "mirror/mirror_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzTexts texts(data, size);
    std::string sendTo = texts.Next(PathBufferSize - 1);
    const struct {
        MirrorFolder folder;
        const char* ending;
    } folders[] = {{MirrorFolder::Root, "Tallowfin"},
                   {MirrorFolder::Desktop, "Tallowfin Desktop"},
                   {MirrorFolder::QuickLaunch, "Tallowfin Quick Launch"}};
    for (const auto& each : folders) {
        char out[PathBufferSize];
        BuildMirrorFolder(out, sendTo.c_str(), each.folder);
        size_t length = strlen(out), ending = strlen(each.ending);
        FUZZ_CHECK(length < PathBufferSize && length >= ending);
        FUZZ_CHECK(strcmp(out + length - ending, each.ending) == 0);
    }
    return 0;
}

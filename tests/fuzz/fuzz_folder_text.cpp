// Registry values of any content and length become folder paths within a path buffer.
#include "fuzz_input.h"
#include "mirror/folder_text.h"
#include "mirror/log_path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzTexts texts(data, size);
    // A registry value arrives unterminated: the raw bytes, up to a whole buffer of them.
    char raw[PathBufferSize];
    size_t rawSize = size < sizeof raw ? size : sizeof raw;
    memcpy(raw, data, rawSize);
    TerminateRegistryText(raw, sizeof raw, static_cast<unsigned long>(rawSize));
    FUZZ_CHECK(strlen(raw) < sizeof raw);

    std::string value = texts.Next(4096);
    char out[PathBufferSize];
    BuildPlainFolderPath(out, value.c_str());
    FUZZ_CHECK(strlen(out) <= PlainSlotCut + 1);
    BuildQuickLaunchPath(out, value.c_str());
    FUZZ_CHECK(strlen(out) < PathBufferSize);
    BuildLogFilePath(out, value.c_str());
    FUZZ_CHECK(strlen(out) < PathBufferSize);
    return 0;
}

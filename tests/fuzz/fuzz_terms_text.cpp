// The trim keeps a text within its buffer and leaves no trimmed character at either end; the
// acceptance test reads no byte past either text.
#include "app/terms_text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzTexts texts(data, size);
    std::string line = texts.Next(4095), acceptance = texts.Next(4095);
    char buffer[4096];
    memcpy(buffer, line.c_str(), line.size() + 1);
    TrimWhitespace(buffer);
    size_t length = strlen(buffer);
    FUZZ_CHECK(length <= line.size());
    auto trimmed = [](char c) { return c == ' ' || c == '\n' || c == '\t'; };
    FUZZ_CHECK(length == 0 || (!trimmed(buffer[0]) && !trimmed(buffer[length - 1])));
    FUZZ_CHECK(strstr(line.c_str(), buffer) != nullptr);
    if (!acceptance.empty())
        (void)IsAcceptanceLine(buffer, acceptance.c_str());
    return 0;
}

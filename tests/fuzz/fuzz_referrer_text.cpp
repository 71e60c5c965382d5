// The referrer page's path stays within its buffer for any TEMP and TMP, and its text holds the
// address exactly twice or is refused, for any address.
#include "dialogs/referrer_text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzTexts texts(data, size);
    std::string temp = texts.Next(1000), tmp = texts.Next(1000), address = texts.Next(3000);
    char path[ReferrerPathSize];
    if (BuildReferrerPagePath(path, temp.c_str(), tmp.c_str()))
        FUZZ_CHECK(strlen(path) < ReferrerPathSize && strstr(path, ReferrerPageSuffix));
    static char page[ReferrerPageSize];
    if (FormatReferrerPage(page, sizeof page, address.c_str())) {
        FUZZ_CHECK(strlen(page) < sizeof page);
        std::string link = "<a href=\"" + address + "\">" + address + "</a>";
        FUZZ_CHECK(strstr(page, link.c_str()) != nullptr);
    } else {
        FUZZ_CHECK(address.size() > 1000);
    }
    return 0;
}

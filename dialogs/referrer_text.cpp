// The referrer page's name, its place in the temporary directory and its text.
#include "referrer_text.h"

#include <cstdio>
#include <cstring>

#include "../base/product_info.h"

namespace {

constexpr size_t LongestPath = PathBufferSize - 1;

// Title, link target, link text, then the maker's home page in the notice.
const char PageTemplate[] =
    "<html>\n"
    "<head>\n"
    "<title>%s</title>\n"
    "</head>\n"
    "\n"
    "<body>\n"
    "\n"
    "<font face=\"arial\" size=\"4\">\n"
    "\n"
    "Click to visit.....\n"
    "\n"
    "<br><br>\n"
    "\n"
    "<a href=\"%s\">%s</a><br><br>\n"
    "\n"
    "</font>\n"
    "\n"
    "<br><br>\n"
    "\n"
    "<table border=\"0\" width=\"400\">\n"
    "<td>\n"
    "<font face=\"arial\" size=\"2\">\n"
    "[<a href=\"%s\">Mistlebrookworks</a> (and it's associates) cannot be held responsible for "
    "the content of linked internet sites/pages.\n"
    "The content of linked internet sites/pages is the property of their respective owners.]\n"
    "</font>\n"
    "</td>\n"
    "</table>\n"
    "\n"
    "</body>\n"
    "</html>";

} // namespace

void BuildReferrerPageName(char out[PathBufferSize]) {
    CopyBounded(out, PathBufferSize, ProductTitle, LongestPath);
    AppendBounded(out, PathBufferSize, ReferrerPageSuffix);
}

bool BuildReferrerPagePath(char out[ReferrerPathSize], const char* temp, const char* tmp) {
    char name[PathBufferSize];
    BuildReferrerPageName(name);
    const size_t longestDirectory = LongestPath - strlen(name);
    temp = temp ? temp : "";
    tmp = tmp ? tmp : "";
    // Both are judged before either is chosen: a variable too long to hold the page sends the
    // address straight to the browser rather than the page to a directory the user did not
    // expect it in.
    if (strlen(temp) > longestDirectory || strlen(tmp) > longestDirectory)
        return false;
    const char* directory = *temp ? temp : tmp;
    if (!*directory)
        return false;
    return JoinPath(out, ReferrerPathSize, directory, name);
}

bool FormatReferrerPage(char* out, size_t size, const char* address) {
    char name[PathBufferSize];
    BuildReferrerPageName(name);
    int written = snprintf(out, size, PageTemplate, name, address, address, MakerHomePage);
    // A page cut short would link to the wrong place.
    return written >= 0 && static_cast<size_t>(written) < size;
}

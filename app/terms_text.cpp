// Text rules of the terms gate (see terms_text.h).
#include "terms_text.h"

#include <cstring>

namespace {

bool IsTrimmed(char c) {
    return c == ' ' || c == '\n' || c == '\t';
}

} // namespace

void TrimWhitespace(char* text) {
    size_t end = strlen(text);
    while (end > 0 && IsTrimmed(text[end - 1]))
        --end;
    text[end] = '\0';
    size_t start = 0;
    while (start < end && IsTrimmed(text[start]))
        ++start;
    memmove(text, text + start, end - start + 1);
}

bool IsAcceptanceLine(const char* line, const char* acceptanceLine) {
    size_t compared = strlen(acceptanceLine);
    if (compared == 0)
        return false;
    return strncmp(line, acceptanceLine, compared - 1) == 0;
}

// The referrer page's name, its place in the temporary directory and its text.
// Free of <windows.h> so that it builds and runs natively under the sanitizers.
#pragma once
#include <cstddef>

#include "../base/bounded_text.h"

constexpr const char ReferrerPageSuffix[] = " - Internet Referrering Page.htm";
// A 209-character directory, its backslash and the 50-character name: 260 characters.
constexpr size_t ReferrerPathSize = PathBufferSize + 1;
constexpr size_t ReferrerPageSize = 4096;

// ProductTitle followed by ReferrerPageSuffix.
void BuildReferrerPageName(char out[PathBufferSize]);

// The page's full path in the directory named by TEMP, or else by TMP (null: not set).
// False when the page is to be skipped: either value longer than 259 characters less the
// name's length, or both empty.
bool BuildReferrerPagePath(char out[ReferrerPathSize], const char* temp, const char* tmp);

// The page that links to address, lines separated by "\n" (text mode writes CR LF), with none
// after the last. False when it would not fit in size bytes.
bool FormatReferrerPage(char* out, size_t size, const char* address);

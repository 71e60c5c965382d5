// Bounded copies into fixed text buffers, and the path joins built on them. Every caller's
// buffer holds a path of at most MAX_PATH bytes; a text that would not fit is cut, never
// written past the end. Free of <windows.h> so that it builds and runs natively under the
// sanitizers.
#pragma once
#include <cstddef>

constexpr size_t PathBufferSize = 260; // MAX_PATH: every folder path lives in such a buffer

// Copies at most maxChars characters of text into out (outSize bytes), always terminated.
void CopyBounded(char* out, size_t outSize, const char* text, size_t maxChars);

// Appends text to the zero-terminated contents of out, cut to fit, always terminated.
void AppendBounded(char* out, size_t outSize, const char* text);

// Appends a backslash unless the text is empty, already ends in one, or is full.
void AppendBackslash(char* path, size_t pathSize);

// folder, a backslash unless folder is empty or ends in one, then name; cut to fit. True when
// nothing was cut.
bool JoinPath(char* out, size_t outSize, const char* folder, const char* name);

// Registry data need not be terminated; this terminates it at the size the query returned,
// staying inside the buffer when that size fills it.
void TerminateRegistryText(char* buffer, size_t bufferSize, unsigned long dataSize);

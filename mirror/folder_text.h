// Path text rules for shell folders: bounded copies, trailing backslashes, Quick Launch paths.
// Free of <windows.h> so that it builds and runs natively under the sanitizers.
#pragma once
#include <cstddef>

constexpr size_t PathBufferSize = 260; // MAX_PATH: every folder path lives in such a buffer
constexpr const char QuickLaunchSuffix[] = "Microsoft\\Internet Explorer\\Quick Launch";
constexpr size_t PlainSlotCut = 258;       // characters of a value kept before the backslash
constexpr size_t QuickLaunchSlotCut = 218; // 218 + backslash + 40-character suffix = 259

// Copies at most maxChars characters of text into out (outSize bytes), always terminated.
void CopyBounded(char* out, size_t outSize, const char* text, size_t maxChars);

// Appends text to the zero-terminated contents of out, cut to fit, always terminated.
void AppendBounded(char* out, size_t outSize, const char* text);

// Appends a backslash unless the text is empty, already ends in one, or is full.
void AppendBackslash(char* path, size_t pathSize);

// Registry data need not be terminated; this terminates it at the size the query returned,
// staying inside the buffer when that size fills it.
void TerminateRegistryText(char* buffer, size_t bufferSize, unsigned long dataSize);

// First 258 characters of value, then a backslash if missing: at most 259 characters.
void BuildPlainFolderPath(char out[PathBufferSize], const char* value);

// First 218 characters of value, a backslash if missing, then QuickLaunchSuffix.
void BuildQuickLaunchPath(char out[PathBufferSize], const char* value);

// Path text rules for shell folders: where a registry value is cut, and the Quick Launch paths.
// Free of <windows.h> so that it builds and runs natively under the sanitizers.
#pragma once
#include "../base/bounded_text.h"

constexpr const char QuickLaunchSuffix[] = "Microsoft\\Internet Explorer\\Quick Launch";
constexpr size_t PlainSlotCut = 258;       // characters of a value kept before the backslash
constexpr size_t QuickLaunchSlotCut = 218; // 218 + backslash + 40-character suffix = 259

// First 258 characters of value, then a backslash if missing: at most 259 characters.
void BuildPlainFolderPath(char out[PathBufferSize], const char* value);

// First 218 characters of value, a backslash if missing, then QuickLaunchSuffix.
void BuildQuickLaunchPath(char out[PathBufferSize], const char* value);

// Where the mirror lives under the Send To folder. Free of <windows.h> for native tests.
#pragma once
#include "folder_text.h"

enum class MirrorFolder { Root, Desktop, QuickLaunch };

// The Send To path (ending in a backslash) followed by the folder's relative path, the Send To
// part cut so that the whole stays within 259 characters.
void BuildMirrorFolder(char out[PathBufferSize], const char* sendTo, MirrorFolder folder);

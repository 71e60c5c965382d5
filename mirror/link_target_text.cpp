// The damaged-target test of the shortcut copier (see link_target_text.h).
#include "link_target_text.h"

#include <cstring>

bool TargetLooksMangled(const char* path) {
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(path); *c; ++c) {
        if (*c < 0x20 || strchr("?*\"<>|", *c))
            return true;
    }
    return strstr(path, "\xEF\xBF\xBD") != nullptr;
}

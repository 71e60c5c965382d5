// Re-creates one shortcut file at a new path; advertised shortcuts become plain ones.
#pragma once

// Saves a copy of the shortcut at source under destination (ANSI paths of at most 259 chars)
// and logs its target path and icon location. An advertised (Windows Installer) shortcut is
// rebuilt as a plain shortcut to the installed component's file with the source's icon. A plain
// shortcut whose target reads back damaged (written under another code page, say) is copied byte
// for byte instead, so that the user's link is never replaced by a broken one.
// True when a shortcut was saved. Needs COM initialised on the calling thread.
bool CopyShortcut(const char* source, const char* destination);

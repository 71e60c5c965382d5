// The diagnostic log: target path and icon location of every shortcut the last pass re-created.
#pragma once
#include "../base/bounded_text.h"

// Set by StartLog, read by LogLine and by the pass's failure message.
extern char LogFilePath[PathBufferSize];
// On from process start; nothing turns it off.
extern bool LoggingEnabled;

// Builds LogFilePath and creates the log empty, replacing any earlier one. False when the file
// cannot be created; true without touching anything while logging is off.
bool StartLog();

// Appends one line (CRLF on disk). The file is opened and closed for every line so that others
// may read it during a pass. False when the file cannot be opened.
bool LogLine(const char* text);

// Text rules of the terms gate: trimming the stored line and recognising the acceptance.
// Free of <windows.h> so that it builds and runs natively under the sanitizers.
#pragma once

// Removes spaces, line feeds and tabs at the end, then at the start; carriage returns stay.
void TrimWhitespace(char* text);

// True when line begins with the acceptance line less its last character, so a line that lost
// only its full stop, or goes on after it, still counts.
bool IsAcceptanceLine(const char* line, const char* acceptanceLine);

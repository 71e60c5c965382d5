// Answers message boxes that the code under test shows on its own threads, in this process.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct SeenBox {
    std::string caption, text;
    bool hasOwner = false;
    std::string icon; // "warning", "question", "information", "error" or "none"
};

// The kind of the standard icon a message box shows; read inside the box's own process.
std::string MessageBoxIconKind(HWND box);

// While alive, a background thread presses OK on every message box of this process and
// records what it showed.
class BoxWatcher {
  public:
    BoxWatcher();
    ~BoxWatcher();
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;
    std::vector<SeenBox> Seen();

  private:
    static DWORD WINAPI Run(void* self);
    HANDLE thread_;
    HANDLE stop_;
    CRITICAL_SECTION lock_;
    std::vector<SeenBox> seen_;
};

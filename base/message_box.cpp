// The program's message boxes (see message_box.h).
#include "message_box.h"

#include "product_info.h"

void ShowErrorBox(HWND owner, const char* text) {
    MessageBoxA(owner, text, ProductTitle, MB_ICONEXCLAMATION | MB_OK);
}

void ShowInfoBox(HWND owner, const char* text) {
    MessageBoxA(owner, text, ProductTitle, MB_ICONINFORMATION | MB_OK);
}

bool AskYesNo(HWND owner, const char* text, UINT icon) {
    return MessageBoxA(owner, text, ProductTitle, icon | MB_YESNO) == IDYES;
}

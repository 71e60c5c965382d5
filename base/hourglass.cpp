// The system hourglass (see hourglass.h).
#include "hourglass.h"

HCURSOR ShowHourglass() {
    return SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

void RestoreCursor(HCURSOR previous) {
    SetCursor(previous);
}

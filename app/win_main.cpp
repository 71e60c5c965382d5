// The GUI entry point: hands the instance to AppMain and returns its exit code.
#include <windows.h>

#include "app_main.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return AppMain(instance);
}

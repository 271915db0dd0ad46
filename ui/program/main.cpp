// Tarvik专用链转换工具: start the services, open the window, and run the loop until the window
// is closed.
#include <windows.h>

#include "ui/program/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    tarvik::RunProgram();
}

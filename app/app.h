// The application shell: process entry, main routine and the main window's procedure.
#ifndef VELKOR_APP_APP_H
#define VELKOR_APP_APP_H

#include <windows.h>

// The main window; written once, right after it is created.
extern HWND MainWindow;
// Its outer size; the device draws into the client area the frame leaves inside it.
constexpr int MainWindowWidth = 640;
constexpr int MainWindowHeight = 480;

// The process entry: hands the module instance to AppMain.
[[noreturn]] void ProgramEntry();
// Registers the class, creates the window, sets up the scene and runs the message loop until
// the quit message; then shuts down and ends the process with the quit message's code.
[[noreturn]] void AppMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                          int showCommand);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif

#include "app/app.h"

#include "device/device.h"
#include "scene/scene.h"

HWND MainWindow = nullptr;

namespace {

constexpr char ClassName[] = "VELKORCLASS";
constexpr char Caption[] = "Velkor";
constexpr char ErrorCaption[] = "Error";
constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
constexpr int WindowX = 80;
constexpr int WindowY = 80;

void WindowClassRegister(HINSTANCE instance) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = ClassName;
  RegisterClassExA(&windowClass);
}

// Runs until the quit message and returns its exit code. Invalidating before every wait is
// what animates: with nothing else queued, the wait returns a paint request, which draws the
// next frame.
UINT MessageLoop() {
  MSG message = {};
  for (;;) {
    InvalidateRect(MainWindow, nullptr, FALSE);
    const BOOL result = GetMessageA(&message, nullptr, 0, 0);
    if (result == 0) return static_cast<UINT>(message.wParam);
    // The queue is broken: waiting again would never end.
    if (result == -1) return 0;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

void ProgramEntry() { AppMain(GetModuleHandleA(nullptr), nullptr, nullptr, 0); }

void AppMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WindowClassRegister(instance);
  MainWindow =
      CreateWindowExA(0, ClassName, Caption, WindowStyle, WindowX, WindowY, MainWindowWidth,
                      MainWindowHeight, nullptr, nullptr, instance, nullptr);
  if (MainWindow == nullptr) {
    MessageBoxA(nullptr, "Failed to create window", ErrorCaption, MB_OK);
    ExitProcess(0);
  }
  SceneSetup();
  ShowWindow(MainWindow, SW_SHOWDEFAULT);
  // Draws the first frame before the loop starts.
  UpdateWindow(MainWindow);

  const UINT exitCode = MessageLoop();
  CubeVertexBuffer->Release();
  CubeTexture->Release();
  DeviceShutdown();
  ExitProcess(exitCode);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      FrameRender();
      EndPaint(window, &paint);
      return 0;
    }
    case WM_KEYDOWN:
      // Every plain key is consumed; only Escape does anything.
      if (wParam == VK_ESCAPE) PostMessageA(window, WM_CLOSE, 0, 0);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

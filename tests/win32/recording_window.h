// Windows whose procedure writes down every message it gets, for the stand-in's tests.
#ifndef VELKOR_TESTS_WIN32_RECORDING_WINDOW_H
#define VELKOR_TESTS_WIN32_RECORDING_WINDOW_H

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

struct ReceivedMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Every message the recording procedure has been given, oldest first.
extern std::vector<ReceivedMessage> Received;

// What the last WM_CREATE the recording procedure got carried.
extern CREATESTRUCTA ReceivedCreation;

// The messages of `Received`, in order, that are among `wanted`.
std::vector<UINT> ReceivedAmong(std::initializer_list<UINT> wanted);

// The class "RECORDING": its procedure records the message, posts the quit message on
// WM_DESTROY as a main window does, and leaves the rest to DefWindowProcA.
LPCSTR RecordingClass();

// A recording window at (80, 80), 640 by 480, titled "Recording".
HWND RecordingWindowCreate(DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS);

// Translates and dispatches until nothing but paint is pending or the quit message comes.
// True, with the quit message's code, when it came.
bool MessagesPump(WPARAM* quitCode = nullptr);

// Clears the record before each test; destroys the test's windows and empties the queue after.
class RecordingTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

#endif

// The operating system's entry into the program.
#include "app/app.h"

#ifdef _WIN32
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { ProgramEntry(); }
#else
int main() { ProgramEntry(); }
#endif

// Program entry point; everything else lives in the core library.
#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunProgram(instance, GetCommandLineA());
}

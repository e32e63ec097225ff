// The test program keeps its undo histories in a folder of its own, never
// under the user's LOCALAPPDATA; the crash writer it starts inherits it.
#include <windows.h>

#include "tests/test_files.h"

namespace {
struct LocalAppData {
  TempFolder folder;
  LocalAppData() { SetEnvironmentVariableA("LOCALAPPDATA", folder.Path().c_str()); }
};
LocalAppData localAppData;
}  // namespace

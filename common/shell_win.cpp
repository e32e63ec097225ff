#include "common/shell.h"

HINSTANCE ProgramInstance;
HWND MainWindow;
char ProgramDirectory[kPathSize];
char HelpFilePath[kPathSize];

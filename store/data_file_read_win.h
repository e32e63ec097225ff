// How the reader reads on Windows; tests put a failing reader here.
#pragma once
#include <windows.h>

extern BOOL (WINAPI *ReadSheetBytes)(HANDLE file, LPVOID bytes, DWORD wanted, LPDWORD read,
                                     LPOVERLAPPED overlapped);

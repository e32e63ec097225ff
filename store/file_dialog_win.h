// Size of the common-dialog record the program passes: the 76-byte form of
// the 32-bit build, without the Windows 2000 extension.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <stddef.h>

// OPENFILENAME_SIZE_VERSION_400A is not a constant expression under MinGW;
// this is its definition in a form static_assert accepts.
constexpr size_t kOpenFileNameSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#if !defined(_WIN64)
static_assert(kOpenFileNameSize == 76, "the 76-byte OPENFILENAMEA of the 32-bit build");
#endif

// The common Open and Save dialogs as the program runs them.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <stddef.h>

#include "common/path_size.h"

// OPENFILENAME_SIZE_VERSION_400A is not a constant expression under MinGW;
// this is its definition in a form static_assert accepts.
constexpr size_t kOpenFileNameSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#if !defined(_WIN64)
static_assert(kOpenFileNameSize == 76, "the 76-byte OPENFILENAMEA of the 32-bit build");
#endif

struct FileDialogSettings {
  bool save;                     // GetSaveFileNameA rather than GetOpenFileNameA
  const char* filter;            // description and pattern, each NUL-terminated, then a NUL
  const char* title;
  DWORD flags;
  const char* defaultExtension;
};

// Runs the dialog on `path` itself, which starts as the offered name and
// receives the chosen one. True when a name was chosen; otherwise `path` is
// as before and any failure other than a cancel has been reported.
bool RunFileDialog(HWND owner, char (&path)[kPathSize], const FileDialogSettings& settings);

// The "WARNING" box for a file dialog that failed with `code`.
void ShowFileDialogFailure(HWND owner, DWORD code);

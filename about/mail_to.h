// A new mail in the user's default mail client, through Simple MAPI.
#pragma once
#include <windows.h>

// Shows the new mail to `address` for the user to edit and send; reports a
// missing mail client. The owner becomes the parent of the client's window.
void OpenMailTo(HWND owner, const char* address, const char* subject);

// The Simple MAPI library's file name, and where it is loaded from: the
// system folder (GetSystemDirectoryA), by its full path. Tests put others here.
extern const char* MailLibraryName;
extern UINT (WINAPI *MailLibraryFolder)(LPSTR folder, UINT size);

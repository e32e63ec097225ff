#include "about/mail_to.h"

#include <mapi.h>
#include <stdio.h>

#include "common/message_boxes.h"

const char* MailLibraryName = "MAPI32.DLL";
UINT (WINAPI *MailLibraryFolder)(LPSTR, UINT) = GetSystemDirectoryA;

// By its full path in the system folder: loaded by bare name, a DLL of that
// name beside the program (a Downloads folder, for the zip) would come first.
static HMODULE LoadMailLibrary() {
  char folder[MAX_PATH];
  UINT length = MailLibraryFolder(folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return NULL;
  const char* separator = folder[length - 1] == '\\' ? "" : "\\";
  char path[MAX_PATH];
  int written = snprintf(path, sizeof path, "%s%s%s", folder, separator, MailLibraryName);
  if (written < 0 || static_cast<size_t>(written) >= sizeof path) return NULL;
  return LoadLibraryA(path);
}

static LPMAPISENDMAIL FindSendMail(HMODULE library) {
  // Through void*: FARPROC and the MAPI signature are unrelated function types.
  return reinterpret_cast<LPMAPISENDMAIL>(
      reinterpret_cast<void*>(GetProcAddress(library, "MAPISendMail")));
}

// Loaded per mail and unloaded on every way out, the missing-function one too.
void OpenMailTo(HWND owner, const char* address, const char* subject) {
  HMODULE library = LoadMailLibrary();
  if (reinterpret_cast<UINT_PTR>(library) < 32) {
    ShowError("Unable to Open Default Mail Application");
    return;
  }
  LPMAPISENDMAIL sendMail = FindSendMail(library);
  if (sendMail == NULL) {
    ShowError("Enable to log on to mail system");
    FreeLibrary(library);
    return;
  }
  MapiRecipDesc originator = {};
  originator.ulRecipClass = MAPI_ORIG;
  originator.lpszName = const_cast<LPSTR>("ONE");
  MapiRecipDesc recipient = {};
  recipient.ulRecipClass = MAPI_TO;
  recipient.lpszAddress = const_cast<LPSTR>(address);
  MapiMessage message = {};
  message.lpszSubject = const_cast<LPSTR>(subject);
  message.flFlags = MAPI_UNREAD | MAPI_RECEIPT_REQUESTED;
  message.lpOriginator = &originator;
  message.nRecipCount = 1;
  message.lpRecips = &recipient;
  // Sent, cancelled or failed: the client has said what there was to say.
  sendMail(0, reinterpret_cast<ULONG_PTR>(owner), &message, MAPI_DIALOG, 0);
  FreeLibrary(library);
}

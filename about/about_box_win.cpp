#include "about/about_box.h"

#include "about/mail_to.h"
#include "common/help.h"
#include "common/shell.h"
#include "common/web_page.h"
#include "resources/resource.h"

static const char kSalesMail[] = "sales@example.com";
static const char kMailSubject[] = "Glimmerbox";
static const char kWebSite[] = "https://www.example.com/";
static const char kProductPage[] = "https://www.example.com/hourwright/";

// Subclassed in this order; the other tables and the arrays of AboutBoxData
// follow it.
static const int kLinkIds[] = {IDC_ABOUT_SALES_MAIL, IDC_ABOUT_WEB_SITE, IDC_ABOUT_PRODUCT_PAGE};
static const int kLinkImageIds[] = {IDB_LINK_SALES_MAIL, IDB_LINK_WEB_SITE, IDB_LINK_PRODUCT_PAGE};
static const int kLinkCount = sizeof kLinkIds / sizeof kLinkIds[0];

// What the box keeps while it is open: each link's own window procedure, and
// its image twice, as the template loaded it and as shown.
struct AboutBoxData {
  WNDPROC ownProcedures[kLinkCount];
  HANDLE templateImages[kLinkCount];
  HANDLE shownImages[kLinkCount];
};

static AboutBoxData* DataOf(HWND dialog) {
  return reinterpret_cast<AboutBoxData*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

static WNDPROC OwnProcedureOf(HWND link) {
  AboutBoxData* data = DataOf(GetParent(link));
  if (data == NULL) return NULL;
  int id = GetDlgCtrlID(link);
  for (int i = 0; i < kLinkCount; ++i)
    if (kLinkIds[i] == id) return data->ownProcedures[i];
  return NULL;
}

LRESULT CALLBACK LinkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETCURSOR && reinterpret_cast<HWND>(wParam) == window) {
    SetCursor(LoadCursorA(ProgramInstance, MAKEINTRESOURCEA(IDC_LINK_CURSOR)));
    return 0;
  }
  WNDPROC own = OwnProcedureOf(window);
  if (own == NULL) return DefWindowProcA(window, message, wParam, lParam);
  return CallWindowProcA(own, window, message, wParam, lParam);
}

// The link images' grey background becomes the face colour of whatever theme
// runs; the template's copy is kept to be given back before the box goes.
static void ShowLinkImagesOnTheFace(HWND dialog, AboutBoxData& data) {
  for (int i = 0; i < kLinkCount; ++i) {
    data.shownImages[i] = LoadImageA(ProgramInstance, MAKEINTRESOURCEA(kLinkImageIds[i]),
                                     IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
    if (data.shownImages[i] == NULL) continue;
    data.templateImages[i] = reinterpret_cast<HANDLE>(SendDlgItemMessageA(
        dialog, kLinkIds[i], STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(data.shownImages[i])));
  }
}

static void RestoreTemplateImages(HWND dialog, AboutBoxData& data) {
  for (int i = 0; i < kLinkCount; ++i) {
    if (data.shownImages[i] == NULL) continue;
    SendDlgItemMessageA(dialog, kLinkIds[i], STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(data.templateImages[i]));
    DeleteObject(data.shownImages[i]);
    data.shownImages[i] = NULL;
  }
}

static INT_PTR OnInitDialog(HWND dialog, LPARAM dataAddress) {
  SetWindowLongPtrA(dialog, DWLP_USER, dataAddress);
  AboutBoxData& data = *DataOf(dialog);
  for (int i = 0; i < kLinkCount; ++i) {
    HWND link = GetDlgItem(dialog, kLinkIds[i]);
    data.ownProcedures[i] = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(link, GWLP_WNDPROC));
    SetWindowLongPtrA(link, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkWindowProc));
  }
  ShowLinkImagesOnTheFace(dialog, data);
  return TRUE;
}

// Before the controls go, so that they go with their own procedures and images.
static INT_PTR OnDestroy(HWND dialog) {
  AboutBoxData* data = DataOf(dialog);
  if (data == NULL) return TRUE;
  for (int i = 0; i < kLinkCount; ++i)
    SetWindowLongPtrA(GetDlgItem(dialog, kLinkIds[i]), GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(data->ownProcedures[i]));
  RestoreTemplateImages(dialog, *data);
  SetWindowLongPtrA(dialog, DWLP_USER, 0);
  return TRUE;
}

// Every notification of a link runs its action, whatever its code.
static INT_PTR OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK:
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
    case IDC_ABOUT_SALES_MAIL:
      OpenMailTo(dialog, kSalesMail, kMailSubject);
      return TRUE;
    case IDC_ABOUT_WEB_SITE:
      OpenWebPage(dialog, kWebSite);
      return TRUE;
    case IDC_ABOUT_PRODUCT_PAGE:
      OpenWebPage(dialog, kProductPage);
      return TRUE;
  }
  return FALSE;
}

static INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam));
    case WM_HELP:
      ShowHelp(kHelpAbout);
      return TRUE;
    case WM_DESTROY:
      return OnDestroy(dialog);
  }
  return FALSE;
}

void ShowAboutBox(HWND mainWindow) {
  AboutBoxData data = {};
  DialogBoxParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_ABOUT), mainWindow, AboutBoxProc,
                  reinterpret_cast<LPARAM>(&data));
}

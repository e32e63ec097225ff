// The Totals window's list: owner data, so a result of any size shows at
// once; subtotals bold; the Share column drawn as a bar with its percentage.
#include <string.h>

#include "totals/totals_texts.h"
#include "totals/totals_window_win.h"

enum { kKeyColumnUnits = 150, kShareColumnUnits = 64, kValueColumnUnits = 40, kAmountColumnUnits = 56,
       kCellSize = 160 };

static int ColumnWidth(HWND list, const TotalsChoice& choice, bool amounts, int column) {
  int units = column < static_cast<int>(choice.by.size())  ? kKeyColumnUnits
              : TotalsColumnIsShare(choice, amounts, column) ? kShareColumnUnits
              : TotalsColumnIsAmount(choice, amounts, column) ? kAmountColumnUnits
                                                             : kValueColumnUnits;
  RECT rect = {0, 0, units, 1};
  MapDialogRect(GetParent(list), &rect);
  return rect.right;
}

static void SetColumns(HWND list, TotalsWindow& window) {
  for (int c = window.columns - 1; c >= 0; --c) SendMessageA(list, LVM_DELETECOLUMN, c, 0);
  bool amounts = window.result.amounts;
  window.columns = TotalsColumnCount(window.choice, amounts);
  int keys = static_cast<int>(window.choice.by.size());
  for (int c = 0; c < window.columns; ++c) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = c < keys ? LVCFMT_LEFT : LVCFMT_RIGHT;
    column.cx = ColumnWidth(list, window.choice, amounts, c);
    column.pszText = const_cast<char*>(TotalsColumnHeader(window.choice, amounts, c));
    column.iSubItem = c;
    SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
  }
}

// The columns are rebuilt only when the keys change, so a new period keeps
// the widths the user dragged.
void ShowTotalsRows(HWND list, TotalsWindow& window) {
  bool amounts = window.result.amounts;
  bool sameColumns = window.columns == TotalsColumnCount(window.choice, amounts);
  for (int c = 0; sameColumns && c < window.columns; ++c) {
    char header[64] = "";
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = header;
    column.cchTextMax = sizeof header;
    sameColumns = SendMessageA(list, LVM_GETCOLUMNA, c, reinterpret_cast<LPARAM>(&column)) &&
                  strcmp(header, TotalsColumnHeader(window.choice, amounts, c)) == 0;
  }
  if (!sameColumns) SetColumns(list, window);
  SendMessageA(list, LVM_SETITEMCOUNT, window.result.rows.size(), 0);
  InvalidateRect(list, NULL, TRUE);
}

void TotalsListCellText(const TotalsWindow& window, NMHDR* header) {
  if (header->code == LVN_GETDISPINFOA) {
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == NULL || item.cchTextMax <= 0) return;
    TotalsListCell(window, static_cast<size_t>(item.iItem), item.iSubItem, item.pszText,
                   static_cast<size_t>(item.cchTextMax));
    return;
  }
  LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == NULL || item.cchTextMax <= 0) return;
  char text[kCellSize];
  TotalsListCell(window, static_cast<size_t>(item.iItem), item.iSubItem, text, sizeof text);
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, item.pszText, item.cchTextMax) == 0)
    item.pszText[item.cchTextMax - 1] = L'\0';
}

static bool RowSelected(HWND list, int row) {
  return (SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

// The cell's background as the list would paint it, a bar as long as the
// share, and the percentage over it.
static void DrawShare(HWND list, const TotalsWindow& window, NMLVCUSTOMDRAW* draw) {
  int row = static_cast<int>(draw->nmcd.dwItemSpec);
  RECT cell = {};
  cell.top = draw->iSubItem;
  cell.left = LVIR_BOUNDS;
  if (!SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell))) return;
  HDC dc = draw->nmcd.hdc;
  bool selected = RowSelected(list, row);
  bool focused = GetFocus() == list;
  int background = selected ? (focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE) : COLOR_WINDOW;
  FillRect(dc, &cell, GetSysColorBrush(background));

  RECT bar = cell;
  InflateRect(&bar, -2, -2);
  double share = TotalsShare(window.result, static_cast<size_t>(row));
  bar.right = bar.left + static_cast<LONG>((bar.right - bar.left) * share + 0.5);
  if (bar.right > bar.left) {
    HBRUSH brush = CreateSolidBrush(RGB(122, 170, 228));
    FillRect(dc, &bar, brush);
    DeleteObject(brush);
  }

  char text[kCellSize];
  TotalsListCell(window, static_cast<size_t>(row), draw->iSubItem, text, sizeof text);
  RECT place = cell;
  InflateRect(&place, -6, 0);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(
      dc, GetSysColor(selected && focused && share < 0.5 ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextA(dc, text, -1, &place, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT TotalsListCustomDraw(HWND list, const TotalsWindow& window, NMLVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      size_t row = static_cast<size_t>(draw->nmcd.dwItemSpec);
      if (TotalsColumnIsShare(window.choice, window.result.amounts, draw->iSubItem)) {
        DrawShare(list, window, draw);
        return CDRF_SKIPDEFAULT;
      }
      bool bold = window.boldFont != NULL && TotalsRowIsSubtotal(window.result, window.choice, row);
      SelectObject(
          draw->nmcd.hdc,
          bold ? window.boldFont : reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
      return CDRF_NEWFONT;
    }
  }
  return CDRF_DODEFAULT;
}

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "resources/resource.h"

namespace {
const BITMAPINFOHEADER* BitmapHeader(int id) {
  HRSRC found = FindResourceA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
  if (found == NULL) return nullptr;
  return static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(GetModuleHandleA(NULL), found)));
}

#pragma pack(push, 2)
struct IconDirectoryEntry {
  BYTE width, height, colorCount, reserved;
  WORD planes, bitCount;
  DWORD bytesInRes;
  WORD id;
};
struct IconDirectory {
  WORD reserved, type, count;
  IconDirectoryEntry entries[1];
};
#pragma pack(pop)
}  // namespace

// The plain header and palette that every Windows version loads, in the
// sizes and colour depths the dialogs are laid out for.
TEST(UiArtwork, BitmapsHaveTheirSizesAndColourDepths) {
  struct Bitmap { int id; LONG width, height; WORD bits; } bitmaps[] = {
      {IDB_LOGO, 32, 32, 4},
      {IDB_ABOUT_PICTURE, 300, 229, 8},
      {IDB_LINK_WEB_SITE, 170, 17, 4},
      {IDB_LINK_SALES_MAIL, 170, 17, 4},
      {IDB_LINK_PRODUCT_PAGE, 170, 18, 4},
  };
  for (const Bitmap& b : bitmaps) {
    const BITMAPINFOHEADER* header = BitmapHeader(b.id);
    ASSERT_NE(header, nullptr) << b.id;
    EXPECT_EQ(header->biSize, sizeof(BITMAPINFOHEADER)) << b.id;
    EXPECT_EQ(header->biWidth, b.width) << b.id;
    EXPECT_EQ(header->biHeight, b.height) << b.id << " (bottom-up rows)";
    EXPECT_EQ(header->biBitCount, b.bits) << b.id;
    EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB)) << b.id;
    EXPECT_LE(header->biClrUsed, 1u << b.bits) << b.id;
    HANDLE loaded = LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(b.id), IMAGE_BITMAP, 0, 0, 0);
    EXPECT_NE(loaded, (HANDLE)NULL) << b.id;
    if (loaded != NULL) DeleteObject(loaded);
  }
}

TEST(UiArtwork, IconHasItsFourSizes) {
  HMODULE program = GetModuleHandleA(NULL);
  HRSRC found = FindResourceA(program, MAKEINTRESOURCEA(IDI_APPLICATION_ICON), MAKEINTRESOURCEA(14));
  ASSERT_NE(found, (HRSRC)NULL);
  const IconDirectory* directory = static_cast<const IconDirectory*>(LockResource(LoadResource(program, found)));
  ASSERT_EQ(directory->count, 4);
  int widths[4];
  for (int i = 0; i < 4; ++i) widths[i] = directory->entries[i].width == 0 ? 256 : directory->entries[i].width;
  EXPECT_EQ(std::vector<int>(widths, widths + 4), (std::vector<int>{16, 32, 48, 256}));
  for (int size : {16, 32, 48}) {
    HICON icon = static_cast<HICON>(
        LoadImageA(program, MAKEINTRESOURCEA(IDI_APPLICATION_ICON), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, (HICON)NULL) << size;
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP color;
    ASSERT_EQ(GetObjectA(info.hbmColor, sizeof color, &color), (int)sizeof color) << size;
    EXPECT_EQ(color.bmWidth, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

TEST(UiArtwork, LinkCursorIsAMonochromeHandPointingFromSixZero) {
  HCURSOR cursor = LoadCursorA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDC_LINK_CURSOR));
  ASSERT_NE(cursor, (HCURSOR)NULL);
  ICONINFO info;
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 6u);
  EXPECT_EQ(info.yHotspot, 0u);
  EXPECT_EQ(info.hbmColor, (HBITMAP)NULL) << "a colour cursor";
  BITMAP mask;
  ASSERT_EQ(GetObjectA(info.hbmMask, sizeof mask, &mask), (int)sizeof mask);
  EXPECT_EQ(mask.bmWidth, 32);
  EXPECT_EQ(mask.bmHeight, 64);  // the AND mask above the XOR image
  // The finger tip is the hot spot: drawn (AND bit clear) at (6, 0), see-through left of it.
  HDC dc = CreateCompatibleDC(NULL);
  HGDIOBJ old = SelectObject(dc, info.hbmMask);
  EXPECT_EQ(GetPixel(dc, 6, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 4, 0), RGB(255, 255, 255));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(info.hbmMask);
  if (info.hbmColor != NULL) DeleteObject(info.hbmColor);
}

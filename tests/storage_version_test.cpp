// The version is set once, in VERSION: the built resources and the names of
// the packages of `make dist` must say the same. `make test32` hands over
// where VERSION and the packages are.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/product.h"
#include "common/version.h"
#include "tests/test_files.h"

namespace {

std::string DistFile(const std::string& suffix) {
  return WindowsPathFromEnvironment("HOURWRIGHT_DIST_DIR") + "\\hourwright-" +
         HOURWRIGHT_VERSION_TEXT + suffix;
}

std::string VersionString(const std::vector<char>& block, const char* name) {
  char* text = NULL;
  UINT length = 0;
  std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) || length == 0)
    return "";
  return std::string(text);
}

// Reads the version resource of the running test program, which links the
// very resources of the shipped one.
std::vector<char> OwnVersionBlock() {
  char self[MAX_PATH];
  GetModuleFileNameA(NULL, self, sizeof self);
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(self, &ignored));
  if (!block.empty() && !GetFileVersionInfoA(self, 0, static_cast<DWORD>(block.size()), block.data()))
    block.clear();
  return block;
}

std::string VersionFileText() {
  std::string version = ReadBytes(WindowsPathFromEnvironment("HOURWRIGHT_VERSION_FILE"));
  while (!version.empty() && (version.back() == '\n' || version.back() == '\r')) version.pop_back();
  return version;
}

}  // namespace

TEST(StorageVersion, ResourceNumbersAndTextsSayTheBuiltVersion) {
  std::vector<char> block = OwnVersionBlock();
  ASSERT_FALSE(block.empty());
  VS_FIXEDFILEINFO* fixed = NULL;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  const WORD commas[] = {HOURWRIGHT_VERSION_COMMAS};
  char numbers[64];
  snprintf(numbers, sizeof numbers, "%u.%u.%u", commas[0], commas[1], commas[2]);
  EXPECT_EQ(std::string(numbers), HOURWRIGHT_VERSION_TEXT);
  EXPECT_EQ(commas[3], 0);
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(commas[1], commas[0])));
  EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(commas[3], commas[2])));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(VersionString(block, "FileVersion"), HOURWRIGHT_VERSION_TEXT);
  EXPECT_EQ(VersionString(block, "ProductVersion"), HOURWRIGHT_VERSION_TEXT);
  EXPECT_EQ(VersionString(block, "ProductName"), "Hourwright");
  EXPECT_EQ(VersionString(block, "CompanyName"), HOURWRIGHT_MAKER_NAME);
  EXPECT_EQ(VersionString(block, "OriginalFilename"), "hourwright.exe");
  EXPECT_FALSE(VersionString(block, "FileDescription").empty());
}

TEST(StorageVersion, VersionFileSaysTheBuiltVersion) {
  if (WindowsPathFromEnvironment("HOURWRIGHT_VERSION_FILE").empty())
    GTEST_SKIP() << "HOURWRIGHT_VERSION_FILE not set by the test script";
  EXPECT_EQ(VersionFileText(), HOURWRIGHT_VERSION_TEXT);
}

TEST(StorageVersion, PackagesAreNamedForTheVersion) {
  if (WindowsPathFromEnvironment("HOURWRIGHT_DIST_DIR").empty())
    GTEST_SKIP() << "HOURWRIGHT_DIST_DIR not set: `make test32` checks the packages";
  EXPECT_TRUE(FileExists(DistFile("-win32.zip"))) << DistFile("-win32.zip");
  EXPECT_TRUE(FileExists(DistFile("-setup.exe"))) << DistFile("-setup.exe");
}

// The one guard on what an export, a report or a saved report may write over:
// the sheet and its descriptions file under every name the system gives them.
#include <gtest/gtest.h>
#include <ctype.h>

#include <string>
#include <utility>

#include "store/output_guard.h"
#include "tests/scratch_files.h"

#ifdef _WIN32
static const bool kWindows = true;
#else
static const bool kWindows = false;
#endif

TEST(PureOutputGuard, SheetAndDescriptionsNamesAreRefused) {
  const std::pair<const char*, bool> cases[] = {
      {"C:\\a\\jobs.tim", true}, {"C:\\a\\JOBS.TIM", true},    {"jobs.Des", true},
      {"jobs.tim.", true},       {"jobs.tim . ", true},        {"jobs.tim.html", false},
      {"tim", false},            {".tim", true},               {"", false},
      {"C:jobs.tim", true},      {"a/jobs.tim::$DATA", true},  {"jobs.tim:notes", true},
      {"C:\\tim\\des", false},   {"report.csv", false},        {"sub.tim/report.csv", false}};
  for (const auto& c : cases) EXPECT_EQ(IsSheetOrDescriptionsName(c.first), c.second) << c.first;
}

// Every name of the sheet, its descriptions file or a hard link to it is
// refused; only where a system tells two names apart (letter case, trailing
// dots and blanks on POSIX) may the other name be written.
TEST(PureOutputGuard, EveryNameOfTheSheetOrItsListsIsRefused) {
  for (std::string name : {"jobs.tim", "timesheet-2026.dat"}) {
    SCOPED_TRACE(name);
    ScratchFolder folder;
    const char sep = ScratchFolder::kSeparator;
    std::string sheet = folder.File(name), stem = name.substr(0, name.rfind('.'));
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    PutBytes(sheet, std::string(512, 'r'));
    PutBytes(folder.File(stem + ".des"), std::string(12, '\0'));
    ASSERT_TRUE(MakeFolder(folder.File("sub")));
    ASSERT_TRUE(MakeHardLink(sheet, folder.File("link.dat")));
    struct Case {
      std::string target;
      bool refusedOnWindows, refusedOnPosix;
    } cases[] = {
        {sheet + ".", true, false},
        {sheet + " ", true, false},
        {folder.File(upper), true, false},
        {ShortPathOf(sheet), true, true},
        {folder.File("sub") + sep + ".." + sep + name, true, true},
        {folder.File("link.dat"), true, true},
        {folder.File(stem + ".des"), true, true},
        {folder.File("report.csv"), false, false},
    };
    bool sheetNamed = name.find(".tim") != std::string::npos;
    const char* sheets[] = {sheet.c_str()};
    for (const Case& c : cases) {
      if (c.target.empty()) continue;  // no short names here
      bool refused = kWindows ? c.refusedOnWindows : c.refusedOnPosix;
      if (sheetNamed && c.target != folder.File("report.csv")) refused = true;
      EXPECT_EQ(MayWriteOutput(c.target.c_str(), sheets, 1), !refused) << c.target;
    }
    EXPECT_EQ(TakeBytes(sheet), std::string(512, 'r'));
  }
}

#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "common/help_target.h"

namespace {
const char kProgramFiles[] = "C:\\Program Files\\Hourwright\\";
const char kGuide[] = "file:///C:/Program%20Files/Hourwright/hourwright-guide.html";
}  // namespace

TEST(PureHelpTarget, EachContextOpensItsOwnSectionOfTheGuide) {
  struct Case { int context; std::string address; } cases[] = {
      {kHelpMainWindow, std::string(kGuide) + "#main-window"},
      {kHelpAbout, std::string(kGuide) + "#about"},
      {kHelpDescriptionLists, std::string(kGuide) + "#lists-editor"},
      {kHelpTimeRecords, std::string(kGuide) + "#records-editor"},
      {kHelpExport, std::string(kGuide) + "#export"},
      {99, kGuide},  // a number the guide does not know: its top
  };
  for (const Case& c : cases) {
    char address[512] = "leftover";
    EXPECT_EQ(ChooseHelpTarget(c.context, kProgramFiles, false, address, sizeof address),
              kHelpTargetGuide) << c.context;
    EXPECT_EQ(address, c.address) << c.context;
  }
}

TEST(PureHelpTarget, TheHelpFileWhenPresentAndNothingWithoutAFolder) {
  struct Case { const char* directory; bool helpFile; HelpTargetKind kind; } cases[] = {
      {kProgramFiles, true, kHelpTargetWinHelp},
      {"", true, kHelpTargetWinHelp},
      {"", false, kHelpTargetNone},
  };
  for (const Case& c : cases) {
    char address[512] = "leftover";
    EXPECT_EQ(ChooseHelpTarget(kHelpExport, c.directory, c.helpFile, address, sizeof address),
              c.kind) << c.directory << c.helpFile;
    EXPECT_STREQ(address, "");
  }
}

TEST(PureHelpTarget, PathsBecomeOneEscapedWordOfAnAddress) {
  struct Case { const char* directory; std::string address; } cases[] = {
      {"Z:\\tmp\\x\\", "file:///Z:/tmp/x/hourwright-guide.html#export"},
      {"Z:\\tmp\\x", "file:///Z:/tmp/x/hourwright-guide.html#export"},
      {"\\\\server\\share\\Hourwright\\",
       "file://server/share/Hourwright/hourwright-guide.html#export"},
      {"C:\\Time & Money #1\\50%\\", "file:///C:/Time%20%26%20Money%20%231/50%25/"
                                     "hourwright-guide.html#export"},
      {"C:\\\"q\"?<a>|^`{}\\", "file:///C:/%22q%22%3F%3Ca%3E%7C%5E%60%7B%7D/"
                              "hourwright-guide.html#export"},
      {"C:\\Z\xC3\xBCrich\\A-b_c.d~e\\",
       "file:///C:/Z%C3%BCrich/A-b_c.d~e/hourwright-guide.html#export"},
      {"C:\\tab\there\\", "file:///C:/tab%09here/hourwright-guide.html#export"},
  };
  for (const Case& c : cases) {
    char address[512];
    EXPECT_EQ(ChooseHelpTarget(kHelpExport, c.directory, false, address, sizeof address),
              kHelpTargetGuide) << c.directory;
    EXPECT_EQ(address, c.address) << c.directory;
  }
}

TEST(PureHelpTarget, AnAddressThatDoesNotFitIsRefusedNotCut) {
  const std::string whole = std::string(kGuide) + "#records-editor";
  struct Case { size_t size; HelpTargetKind kind; std::string address; } cases[] = {
      {whole.size() + 1, kHelpTargetGuide, whole},
      {whole.size(), kHelpTargetNone, ""},
      {1, kHelpTargetNone, ""},
  };
  for (const Case& c : cases) {
    char address[512];
    memset(address, 'x', sizeof address);
    EXPECT_EQ(ChooseHelpTarget(kHelpTimeRecords, kProgramFiles, false, address, c.size), c.kind)
        << c.size;
    EXPECT_EQ(address, c.address) << c.size;
    EXPECT_EQ(address[c.size], 'x') << "wrote past its buffer at size " << c.size;
  }
  // The longest folder there is, all blanks: three times as long escaped.
  std::string blanks = "C:\\" + std::string(255, ' ') + "\\";
  char address[512];
  EXPECT_EQ(ChooseHelpTarget(kHelpMainWindow, blanks.c_str(), false, address, sizeof address),
            kHelpTargetNone);
  EXPECT_STREQ(address, "");
  char none[1] = {'x'};
  EXPECT_EQ(ChooseHelpTarget(kHelpMainWindow, kProgramFiles, false, none, 0), kHelpTargetNone);
  EXPECT_EQ(none[0], 'x');
}

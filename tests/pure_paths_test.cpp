#include <gtest/gtest.h>

#include <string>

#include "app/program_paths.h"
#include "store/companion_paths.h"

TEST(PureProgramPaths, DirectoryAndHelpFileFromTheCommandLine) {
  struct Case { std::string commandLine, directory, help; } cases[] = {
      {"\"C:\\Program Files\\Logger\\logger.exe\"", "C:\\Program Files\\Logger\\",
       "C:\\Program Files\\Logger\\HOURWRIGHT.HLP"},
      {"logger.exe", "", ""},
      {"", "", ""},
      {"\"C:\\Tools\\logger.exe\" C:\\data\\x", "C:\\Tools\\logger.exe C:\\data\\",
       "C:\\Tools\\logger.exe C:\\data\\HOURWRIGHT.HLP"},
      {"C:\\a\"b\"\\c.exe", "C:\\ab\\", "C:\\ab\\HOURWRIGHT.HLP"},
      // The longest directory that fits: 259 characters; its help path cannot.
      {std::string(258, 'd') + "\\x.exe", std::string(258, 'd') + "\\", ""},
      {std::string(244, 'd') + "\\x.exe", std::string(244, 'd') + "\\",
       std::string(244, 'd') + "\\HOURWRIGHT.HLP"},
      // One more and the folder would be cut short: nothing is kept.
      {std::string(259, 'd') + "\\x.exe", "", ""},
      {"\"" + std::string(258, 'd') + "\\x.exe\"", std::string(258, 'd') + "\\", ""},
  };
  for (const Case& c : cases) {
    char directory[260], help[260];
    memset(directory, 'z', sizeof directory);
    memset(help, 'z', sizeof help);
    DeriveProgramPaths(c.commandLine.c_str(), directory, sizeof directory, help, sizeof help);
    EXPECT_EQ(directory, c.directory) << c.commandLine;
    EXPECT_EQ(help, c.help) << c.commandLine;
  }
}

TEST(PureCompanionPaths, CutAtTheLastDotOfTheWholePath) {
  struct Case { std::string sheet; CompanionResult result; std::string descriptions, exportPath; } cases[] = {
      {"C:\\Work\\jobs.tim", kCompanionsDerived, "C:\\Work\\jobs.des", "C:\\Work\\jobs.txt"},
      {"D:\\log.old\\week", kCompanionsDerived, "D:\\log.des", "D:\\log.txt"},
      {"C:\\a.b\\c.d.tim", kCompanionsDerived, "C:\\a.b\\c.d.des", "C:\\a.b\\c.d.txt"},
      {"C:\\Work\\trailing.", kCompanionsDerived, "C:\\Work\\trailing.des", "C:\\Work\\trailing.txt"},
      {"C:\\Work\\plain", kCompanionsUnchanged, "old.des", "old.txt"},
      {std::string(254, 'p') + ".tim", kCompanionsDerived, std::string(254, 'p') + ".des",
       std::string(254, 'p') + ".txt"},
      {std::string(255, 'p') + ".tim", kCompanionsTooLong, "", ""},
  };
  for (const Case& c : cases) {
    char descriptions[260] = "old.des", exportPath[260] = "old.txt";
    EXPECT_EQ(DeriveCompanionPaths(c.sheet.c_str(), descriptions, sizeof descriptions, exportPath,
                                   sizeof exportPath),
              c.result)
        << c.sheet;
    EXPECT_EQ(descriptions, c.descriptions) << c.sheet;
    EXPECT_EQ(exportPath, c.exportPath) << c.sheet;
  }
}

TEST(PureCompanionPaths, SaveAsLeavesTheExportPath) {
  char descriptions[260] = "C:\\Work\\old.des", exportPath[260] = "C:\\Work\\old.txt";
  EXPECT_EQ(DeriveCompanionPaths("C:\\Work\\new.tim", descriptions, sizeof descriptions, NULL, 0),
            kCompanionsDerived);
  EXPECT_STREQ(descriptions, "C:\\Work\\new.des");
  EXPECT_STREQ(exportPath, "C:\\Work\\old.txt");
}

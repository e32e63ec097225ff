#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "store/description_text.h"

static std::string Field(const char (&field)[kDescriptionSize]) {
  return std::string(field, sizeof field);
}

TEST(PureRecordText, ZerosFollowEachTextAndNothingElseChanges) {
  TimeRecord record;
  memset(&record, 0x5A, sizeof record);  // leftovers everywhere
  memcpy(record.task, "b", 2);
  record.project[0] = '\0';                // empty text
  record.classification[63] = '\0';       // 63 characters fill the field
  TimeRecord before = record;

  ClearTextTails(record);
  EXPECT_EQ(Field(record.task), std::string("b") + std::string(63, '\0'));
  EXPECT_EQ(Field(record.project), std::string(64, '\0'));
  EXPECT_EQ(Field(record.classification), Field(before.classification));
  // Stamps, seconds, elapsed values and reserved bytes are not texts.
  EXPECT_EQ(memcmp(&record.startTime, &before.startTime, kRecordSize - 3 * kDescriptionSize), 0);
}

TEST(PureRecordText, AFieldWithoutItsNulIsLeftAsItIs) {
  TimeRecord records[2];
  memset(records, 'x', sizeof records);
  memcpy(records[1].task, "t", 2);
  ClearTextTails(records, 2);
  EXPECT_EQ(Field(records[0].task), std::string(64, 'x'));
  EXPECT_EQ(Field(records[1].task), std::string("t") + std::string(63, '\0'));
  EXPECT_EQ(Field(records[1].project), std::string(64, 'x'));
}

#include "profiles/ProfileText.h"

#include <gtest/gtest.h>

namespace {

TEST(FieldReader, SplitsAtLineFeedsAndStopsAtNul)
{
    const char data[] = "one\n\nthree\0hidden\nfield";
    FieldReader in(data, sizeof data - 1);
    EXPECT_EQ(in.NextText(), "one");
    EXPECT_EQ(in.NextText(), "");
    EXPECT_EQ(in.NextText(), "three");
    std::string field = "stale";
    EXPECT_FALSE(in.NextField(field));
    EXPECT_EQ(field, "");
}

TEST(FieldReader, AbsentFieldsReadAsEmptyTextAndZero)
{
    const char data[] = "only\0";
    FieldReader in(data, sizeof data);
    EXPECT_EQ(in.NextText(), "only");
    EXPECT_EQ(in.NextText(), "");
    EXPECT_EQ(in.NextNumber(), 0);
}

TEST(FieldReader, DataWithoutFinalNulEndsAtItsLength)
{
    // The bytes after the given length must not be read, even though they continue the field.
    const char data[] = "a\nbc" "DEF";
    FieldReader in(data, 4);
    EXPECT_EQ(in.NextText(), "a");
    EXPECT_EQ(in.NextText(), "bc");
    EXPECT_EQ(in.NextText(), "");
}

TEST(FieldReader, TrailingLineFeedGivesOneMoreEmptyField)
{
    const char data[] = "x\n";
    FieldReader in(data, 2);
    std::string field;
    EXPECT_TRUE(in.NextField(field));
    EXPECT_TRUE(in.NextField(field));
    EXPECT_EQ(field, "");
    EXPECT_FALSE(in.NextField(field));
}

TEST(FieldReader, EmptyOrNullDataHasNothingToGive)
{
    FieldReader none(nullptr, 10);
    EXPECT_EQ(none.NextText(), "");
    EXPECT_EQ(none.NextNumber(), 0);
    FieldReader empty("", 0);
    EXPECT_EQ(empty.NextNumber(), 0);
}

TEST(StoredNumber, ParsesLikeAtol)
{
    EXPECT_EQ(ParseStoredNumber("2121"), 2121);
    EXPECT_EQ(ParseStoredNumber("-1"), -1);
    EXPECT_EQ(ParseStoredNumber("+7"), 7);
    EXPECT_EQ(ParseStoredNumber(" \t\r12abc"), 12);
    EXPECT_EQ(ParseStoredNumber("abc"), 0);
    EXPECT_EQ(ParseStoredNumber(""), 0);
    EXPECT_EQ(ParseStoredNumber("-"), 0);
    EXPECT_EQ(ParseStoredNumber("- 5"), 0);
    EXPECT_EQ(ParseStoredNumber("99999999999999999999999"), 2147483647);
    EXPECT_EQ(ParseStoredNumber("-99999999999999999999999"), -2147483647 - 1);
}

} // namespace

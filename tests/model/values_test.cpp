#include "model/values.h"

#include "model/project_keys.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace sw {
namespace {

TEST(ParseInteger, DecimalWithSignsAndThe32BitRange) {
  EXPECT_EQ(ParseInteger("0"), 0);
  EXPECT_EQ(ParseInteger("42"), 42);
  EXPECT_EQ(ParseInteger("+42"), 42);
  EXPECT_EQ(ParseInteger("-42"), -42);
  EXPECT_EQ(ParseInteger("007"), 7);
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
  EXPECT_EQ(ParseInteger("-2147483649"), std::nullopt);
  EXPECT_EQ(ParseInteger("99999999999999999999999"), std::nullopt);
}

TEST(ParseInteger, HexadecimalPrefixesUseAll32Bits) {
  EXPECT_EQ(ParseInteger("$FF"), 255);
  EXPECT_EQ(ParseInteger("0x1f"), 31);
  EXPECT_EQ(ParseInteger("0X1F"), 31);
  EXPECT_EQ(ParseInteger("0xFFFFFFFF"), -1);
  EXPECT_EQ(ParseInteger("$80000000"), INT32_MIN);
  EXPECT_EQ(ParseInteger("$000000001"), 1);
  EXPECT_EQ(ParseInteger("-$10"), -16);
  EXPECT_EQ(ParseInteger("$100000000"), std::nullopt);
  // A prefix alone is no number; without a prefix hex digits are not read.
  EXPECT_EQ(ParseInteger("$"), std::nullopt);
  EXPECT_EQ(ParseInteger("0x"), std::nullopt);
  EXPECT_EQ(ParseInteger("FFFFFFFF"), std::nullopt);
  EXPECT_EQ(ParseInteger("0xG"), std::nullopt);
}

TEST(ParseInteger, AnythingElseIsNoInteger) {
  for (const char* text :
       {"", "-", "+", "+-1", "--1", " 1", "1 ", "1 2", "12a", "1.5", "\t3", "$ 1", "0x 1"}) {
    EXPECT_EQ(ParseInteger(text), std::nullopt) << '"' << text << '"';
  }
  EXPECT_EQ(ParseInteger(std::string_view("1\0", 2)), std::nullopt);
}

TEST(ReadValues, DefaultsOnlyWhenTheTextIsNoInteger) {
  EXPECT_EQ(ReadInteger("x", -1), -1);
  EXPECT_EQ(ReadInteger("", 5), 5);
  EXPECT_EQ(ReadInteger("0", 5), 0);
  EXPECT_FALSE(ReadBoolean("0", true));
  EXPECT_TRUE(ReadBoolean("2", false));
  EXPECT_TRUE(ReadBoolean("-1", false));
  EXPECT_TRUE(ReadBoolean("$FFFFFFFF", false));
  EXPECT_TRUE(ReadBoolean("yes", true));
  EXPECT_FALSE(ReadBoolean("true", false));
  EXPECT_TRUE(ReadBoolean("", true));
  EXPECT_EQ(WriteBoolean(true), "1");
  EXPECT_EQ(WriteBoolean(false), "0");
}

TEST(ReferenceNumber, ThreeCharactersAfterTheFirstMarkerInAnyCase) {
  EXPECT_EQ(ReferenceNumber("Installitem_007"), 7);
  EXPECT_EQ(ReferenceNumber("Installitem_1000"), 100);
  EXPECT_EQ(ReferenceNumber("Installitem_x"), 0);
  EXPECT_EQ(ReferenceNumber("INSTALLITEM_012"), 12);
  EXPECT_EQ(ReferenceNumber("MyInstallitem_004"), 4);
  EXPECT_EQ(ReferenceNumber("Installitem_4"), 4);
  EXPECT_EQ(ReferenceNumber("Installitem_"), 0);
  EXPECT_EQ(ReferenceNumber("Installitem_-12"), -12);
  EXPECT_EQ(ReferenceNumber("Installitem_$1F"), 31);
  EXPECT_EQ(ReferenceNumber("Installitem_ 12"), 0);
  EXPECT_EQ(ReferenceNumber("Installitem_installitem_005"), 0);
  EXPECT_EQ(ReferenceNumber("Program_005"), 0);
}

std::vector<std::string> Entries(std::string_view value) {
  std::vector<std::string> entries;
  std::size_t pos = 0;
  std::string entry;
  while (NextReference(value, pos, entry)) entries.push_back(entry);
  return entries;
}

TEST(NextReference, OnlyTheLastEntryLosesItsBlanks) {
  using List = std::vector<std::string>;
  EXPECT_EQ(Entries("Installitem_001; Installitem_002"), (List{"Installitem_001", "Installitem_002"}));
  EXPECT_EQ(Entries("Installitem_001 ;Installitem_002"), (List{"Installitem_001 ", "Installitem_002"}));
  EXPECT_EQ(Entries("Installitem_003;Installitem_010;"), (List{"Installitem_003", "Installitem_010"}));
  EXPECT_EQ(Entries(" a ; b "), (List{" a ", "b"}));
  EXPECT_EQ(Entries(";;a;;"), (List{"a"}));
  EXPECT_EQ(Entries(" ;x"), (List{" ", "x"}));
  EXPECT_EQ(Entries(""), List{});
  EXPECT_EQ(Entries("   "), List{});
  EXPECT_EQ(Entries(";;;"), List{});
}

TEST(ReferenceList, WrittenFormReadsBackToTheSameNumbers) {
  EXPECT_EQ(ProgramSectionName(7), "Installitem_007");
  EXPECT_EQ(ProgramSectionName(1000), "Installitem_1000");
  EXPECT_EQ(ProgramSectionName(-5), "Installitem_-005");
  EXPECT_EQ(ProgramSectionName(INT32_MIN), "Installitem_-2147483648");
  EXPECT_EQ(WriteReferenceList({3, 10}), "Installitem_003;Installitem_010;");
  EXPECT_EQ(WriteReferenceList({}), "");
  const std::vector<std::int32_t> numbers = {0, 999, 5, 5, 42};
  std::vector<std::int32_t> back;
  for (const std::string& entry : Entries(WriteReferenceList(numbers)))
    back.push_back(ReferenceNumber(entry));
  EXPECT_EQ(back, numbers);
}

}  // namespace
}  // namespace sw

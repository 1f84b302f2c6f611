#include "platform/text.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace sw::text {
namespace {

// The character iconv's CP1251 gives for one byte, as UTF-8, or empty when it has none.
std::string iconvCharacter(unsigned char byte) {
  iconv_t cd = iconv_open("UTF-8", "CP1251");
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* inPtr = in;
  char* outPtr = out;
  size_t inLeft = 1, outLeft = sizeof out;
  const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  return result == static_cast<size_t>(-1) ? std::string() : std::string(out, outPtr);
}

TEST(Text, TableAgreesWithIconvForEveryByteBut0x98) {
  for (int b = 0; b < 256; ++b) {
    if (b == 0x98) continue;
    const auto byte = static_cast<unsigned char>(b);
    EXPECT_EQ(toUtf8(std::string(1, static_cast<char>(byte))), iconvCharacter(byte)) << "byte " << b;
  }
  EXPECT_EQ(toUnicode(0x98), U'\u0098');
}

TEST(Text, EveryByteSurvivesTheRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(fromUtf8(toUtf8(all)), all);
  EXPECT_EQ(fromQString(toQString(all)), all);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(fromUnicode(toUnicode(static_cast<unsigned char>(b))), b);
}

TEST(Text, CharactersWithoutAByteBecomeQuestionMarks) {
  EXPECT_EQ(fromUtf8("a\xC3\xBC"
                     "b"),
            "a?b");                              // ü
  EXPECT_EQ(fromUtf8("\xF0\x9F\x98\x80"), "?");  // emoji, 4 bytes
  EXPECT_EQ(fromUtf8("\xFF"
                     "x"),
            "?x");                                                       // not UTF-8 at all
  EXPECT_EQ(fromQString(QString::fromUtf8("\xF0\x9F\x98\x80!")), "?!");  // surrogate pair
  EXPECT_EQ(fromUtf8("\xD0\x9F\xD1\x80\xD0\xB8"), "\xCF\xF0\xE8");       // При
}

TEST(Text, CaseFoldsAsciiAndEveryCyrillicPair) {
  EXPECT_TRUE(equalsNoCase("Installitem_001", "INSTALLITEM_001"));
  EXPECT_TRUE(equalsNoCase("\xCF\xF0\xE8\xE2\xE5\xF2", "\xEF\xD0\xC8\xC2\xC5\xD2"));  // Привет / пРИВЕТ
  const std::string upper = "\x80\x81\x8A\x8C\x8D\x8E\x8F\xA1\xA3\xA5\xA8\xAA\xAF\xB2\xBD";
  const std::string lower = "\x90\x83\x9A\x9C\x9D\x9E\x9F\xA2\xBC\xB4\xB8\xBA\xBF\xB3\xBE";
  EXPECT_EQ(lowerCase(upper), lower);
  EXPECT_EQ(upperCase(lower), upper);
  EXPECT_FALSE(equalsNoCase("\xB9", "N"));  // № is no letter
  EXPECT_FALSE(equalsNoCase("abc", "abcd"));
  EXPECT_EQ(lowerCase("\x98\xA0\xB5"), "\x98\xA0\xB5");  // no letters: unchanged
}

}  // namespace
}  // namespace sw::text

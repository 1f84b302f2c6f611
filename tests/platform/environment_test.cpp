#include "platform/environment.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <cstdlib>
#include <string>

namespace sw::env {
namespace {

// "Путь" in 1251 and in UTF-8.
const std::string kCyrillicName1251 = "\xCF\xF3\xF2\xFC";
const std::string kCyrillicUpper1251 = "\xCF\xD3\xD2\xDC";
const char* const kCyrillicNameUtf8 = "\xD0\x9F\xD1\x83\xD1\x82\xD1\x8C";

TEST(Environment, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
  setVariable("SwMixedName", "first");
  setVariable("SWMIXEDNAME", "second");
  EXPECT_EQ(variable("swmixedname"), "second");
  // The real environment holds one variable, under the first spelling.
  ASSERT_NE(std::getenv("SwMixedName"), nullptr);
  EXPECT_STREQ(std::getenv("SwMixedName"), "second");
  EXPECT_EQ(std::getenv("SWMIXEDNAME"), nullptr);

  setVariable(kCyrillicName1251, "\xE7\xED\xE0\xF7\xE5\xED\xE8\xE5");  // "значение"
  EXPECT_EQ(variable(kCyrillicUpper1251), "\xE7\xED\xE0\xF7\xE5\xED\xE8\xE5");
  ASSERT_NE(std::getenv(kCyrillicNameUtf8), nullptr);
  EXPECT_STREQ(std::getenv(kCyrillicNameUtf8),
               "\xD0\xB7\xD0\xBD\xD0\xB0\xD1\x87\xD0\xB5\xD0\xBD\xD0\xB8\xD0\xB5");

  unsetVariable("SWMIXEDNAME");
  EXPECT_FALSE(variable("SwMixedName"));
  EXPECT_EQ(std::getenv("SwMixedName"), nullptr);
}

TEST(Environment, EmptyValueIsDefinedButEmptyNameIsNeverSet) {
  setVariable("SW_EMPTY_VALUE", "");
  EXPECT_EQ(variable("SW_EMPTY_VALUE"), "");
  EXPECT_EQ(expandVariables("[%SW_EMPTY_VALUE%]"), "[]");

  setVariable("", "x");
  EXPECT_FALSE(variable(""));
  EXPECT_EQ(expandVariables("a%%b"), "a%%b");

  setVariable("SW_EQ=NAME", "x");
  EXPECT_FALSE(variable("SW_EQ=NAME"));
  EXPECT_FALSE(variable("SW_EQ"));
  EXPECT_EQ(std::getenv("SW_EQ"), nullptr);
}

TEST(Environment, ExpansionReplacesDefinedAndKeepsUndefinedNames) {
  unsetVariable("SW_UNDEF");
  setVariable("SW_B", "bee");
  setVariable("ROOT", "D:\\Distr");

  EXPECT_EQ(expandVariables(""), "");
  EXPECT_EQ(expandVariables("no variables here"), "no variables here");
  EXPECT_EQ(expandVariables("%root%\\Soft"), "D:\\Distr\\Soft");
  EXPECT_EQ(expandVariables("%SW_B%%SW_B%"), "beebee");
  EXPECT_EQ(expandVariables("x%SW_UNDEF%y"), "x%SW_UNDEF%y");
  // Scanning goes on after the closing '%' of an undefined name.
  EXPECT_EQ(expandVariables("%SW_UNDEF%SW_B%"), "%SW_UNDEF%SW_B%");
  EXPECT_EQ(expandVariables("%SW_UNDEF%%SW_B%"), "%SW_UNDEF%bee");
  // Lone percent signs stay.
  EXPECT_EQ(expandVariables("100%"), "100%");
  EXPECT_EQ(expandVariables("%SW_B% 50% off"), "bee 50% off");
  EXPECT_EQ(expandVariables("%"), "%");
}

TEST(Environment, ExpandedValuesAreNotExpandedAgain) {
  setVariable("SW_SELF_REF", "%SW_SELF_REF%!");
  EXPECT_EQ(expandVariables("%SW_SELF_REF%"), "%SW_SELF_REF%!");
}

TEST(Environment, ExpansionThatWouldGrowTooLargeKeepsTheText) {
  setVariable("SW_LONG", std::string(20000, 'x'));
  EXPECT_EQ(expandVariables("%SW_LONG%").size(), 20000u);
  EXPECT_EQ(expandVariables("%SW_LONG%%SW_LONG%"), "%SW_LONG%%SW_LONG%");
}

// Run in a child process, which starts with SW_PROBE_* set in its real environment.
TEST(EnvironmentChild, DISABLED_ReadsInitialValuesFromUtf8) {
  EXPECT_EQ(variable("sw_probe_cyrillic"), "\xCF\xF0\xE8\xE2\xE5\xF2 \x88");  // "Привет €"
  EXPECT_EQ(variable("SW_PROBE_UNMAPPED"), "a?b");
  EXPECT_EQ(variable("SW_PROBE_PLAIN"), "plain=value");
}

TEST(Environment, InitialValuesAreConvertedFromUtf8) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("SW_PROBE_CYRILLIC", QString::fromUtf8("Привет €"));
  environment.insert("SW_PROBE_UNMAPPED", QString::fromUtf8("a中b"));
  environment.insert("SW_PROBE_PLAIN", "plain=value");
  QProcess child;
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_also_run_disabled_tests", "--gtest_filter=EnvironmentChild.*"});
  ASSERT_TRUE(child.waitForFinished(60000));
  EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
}

}  // namespace
}  // namespace sw::env

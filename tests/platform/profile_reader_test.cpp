#include "platform/profile_reader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>

#include "platform/file_io.h"
#include "platform/text.h"
#include "support/special_files.h"
#include "support/temp_dir.h"

namespace sw {
namespace {

const QString kCases = QStringLiteral(SETWRIGHT_TEST_DATA "/profile/cases/");
const QString kExpected = QStringLiteral(SETWRIGHT_TEST_DATA "/profile/expected/");

// Expected files hold each byte as one character of the byte-exact 1251 table.
std::string bytesOf(const QJsonValue& value) { return text::fromQString(value.toString()); }

std::optional<std::string> optionalBytes(const QJsonValue& value) {
  if (value.isNull()) return std::nullopt;
  return bytesOf(value);
}

std::vector<std::string> namesOf(const QJsonValue& list) {
  std::vector<std::string> names;
  for (const auto& name : list.toObject().value("names").toArray()) names.push_back(bytesOf(name));
  return names;
}

void expectList(const ProfileList& got, const QJsonValue& expected, const std::string& what) {
  EXPECT_EQ(got.count, static_cast<std::size_t>(expected.toObject().value("count").toInt())) << what;
  EXPECT_EQ(got.names, namesOf(expected)) << what;
}

QByteArray readAll(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return file.readAll();
}

class ProfileCorpus : public ::testing::TestWithParam<std::string> {};

// Every answer recorded for a case, asked of the reader in-process.
TEST_P(ProfileCorpus, AnswersAsRecorded) {
  const QString name = QString::fromStdString(GetParam());
  const QByteArray raw = readAll(kCases + name + ".ini");
  const ProfileFile file = ProfileFile::fromBytes(std::string_view(raw.constData(), raw.size()));
  const QJsonObject expected = QJsonDocument::fromJson(readAll(kExpected + name + ".json")).object();
  ASSERT_FALSE(expected.isEmpty());

  expectList(file.sectionList(), expected.value("sections"), "section list");
  const QJsonObject keys = expected.value("keys").toObject();
  for (auto it = keys.begin(); it != keys.end(); ++it) {
    const std::string section = text::fromQString(it.key());
    expectList(file.keyList(section), it.value(), "keys of [" + section + "]");
  }
  for (const auto& entry : expected.value("values").toArray()) {
    const QJsonObject value = entry.toObject();
    const std::string section = bytesOf(value.value("section"));
    const std::string key = bytesOf(value.value("key"));
    const ProfileValue got = file.value(section, key, optionalBytes(value.value("default")));
    EXPECT_EQ(got.value, bytesOf(value.value("value"))) << "[" << section << "] " << key;
    EXPECT_EQ(got.value.size(), static_cast<std::size_t>(value.value("length").toInt()));
  }
  for (const auto& entry : expected.value("extra_key_lists").toArray()) {
    const QJsonObject list = entry.toObject();
    const std::string section = bytesOf(list.value("section"));
    expectList(file.keyList(section, optionalBytes(list.value("default"))), list,
               "key list of [" + section + "]");
  }
}

std::vector<std::string> caseNames() {
  std::vector<std::string> names;
  for (const QString& file : QDir(kCases).entryList({"*.ini"}, QDir::Files, QDir::Name))
    names.push_back(file.chopped(4).toStdString());
  return names;
}

INSTANTIATE_TEST_SUITE_P(Corpus, ProfileCorpus, ::testing::ValuesIn(caseNames()), [](const auto& info) {
  std::string name = info.param;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
});

TEST(ProfileReader, CorpusIsPresent) { EXPECT_GE(caseNames().size(), 70u); }

// What the project loader relies on: case-folded names (Cyrillic too), first section and
// first key win, sections exist only with a listable key, conveniences match the calls.
TEST(ProfileReader, LoaderConveniences) {
  const ProfileFile file = ProfileFile::fromBytes(
      "[Common_Info]\r\nVer = 2.0 \r\n[\xD0\xE0\xE7\xE4\xE5\xEB]\r\n\xCA\xEB\xFE\xF7=1\r\n"
      "[Empty]\r\n[Installitem_000]\r\nDepends=Installitem_001; Installitem_002\r\n"
      "[common_info]\r\nVer=3\r\nAutor=x\r\n");
  EXPECT_EQ(file.readString("COMMON_INFO", "ver", ""), "2.0");
  EXPECT_EQ(file.readString("Common_Info", "Autor", "NoName"), "NoName");
  EXPECT_EQ(file.readString("\xF0\xE0\xE7\xE4\xE5\xEB", "\xEA\xCB\xDE\xD7", ""), "1");  // other letter case
  EXPECT_TRUE(file.sectionExists("installitem_000"));
  EXPECT_FALSE(file.sectionExists("Empty"));
  EXPECT_FALSE(file.sectionExists("Missing"));
  EXPECT_EQ(file.keyNames("Installitem_000"), std::vector<std::string>{"Depends"});
  EXPECT_EQ(file.sectionNames().size(), 5u);
  EXPECT_EQ(file.readString("Installitem_000", "Depends", ""), "Installitem_001; Installitem_002");
}

TEST(ProfileReader, ReadTakesTheWholeFile) {
  testing::TempDir dir;
  const std::string path = dir.write("a.ini", "[S]\nk=v\n[T]\nlast=1");
  const Result<ProfileFile> file = ProfileFile::read(path);
  ASSERT_TRUE(file.ok()) << file.status().text();
  EXPECT_EQ(file->readString("S", "k", ""), "v");
  EXPECT_EQ(file->readString("T", "last", ""), "1");
}

// Each refusal comes before anything is read: a pipe does not wait for a writer, a device is
// not read until memory runs out, a file over the limit is not cut short.
TEST(ProfileReader, ReadSaysWhyAFileCannotBeRead) {
  testing::TempDir dir;
  for (const auto& test : testing::unreadableFiles(dir, ".ini", "[S]\nk=v\n", (std::uint64_t{1} << 30) + 1)) {
    SCOPED_TRACE(test.what);
    const Result<ProfileFile> file = ProfileFile::read(test.path);
    ASSERT_FALSE(file.ok());
    EXPECT_EQ(file.status().failure(), test.failure);
    EXPECT_EQ(file.status().text(), files::readFile(test.path).status().text());
  }
}

TEST(ProfileReader, MovedFromFileAnswersAsEmpty) {
  ProfileFile file = ProfileFile::fromBytes("[S]\nk=v\n");
  ProfileFile other = std::move(file);
  EXPECT_EQ(other.readString("S", "k", ""), "v");
  EXPECT_EQ(file.readString("S", "k", "d"), "d");  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(file.sectionList().count, 0u);
}

// Bad input: each must answer from what it can parse and finish (linear time, no crash).
void askEverything(const ProfileFile& file) {
  for (const auto& section : file.sectionNames())
    for (const auto& key : file.keyNames(section)) file.value(section, key, std::nullopt);
}

TEST(ProfileReaderBadInput, RandomJunkAndZeroBytes) {
  std::mt19937 random(1234);
  std::string junk(1 << 20, '\0');
  for (char& c : junk) c = static_cast<char>(random() % 7 == 0 ? "[]=\r\n\0;"[random() % 7] : random());
  askEverything(ProfileFile::fromBytes(junk));
  for (const char* mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"})
    askEverything(ProfileFile::fromBytes(mark + junk));
  askEverything(ProfileFile::fromBytes(std::string(1 << 20, '\0')));
  // An odd byte after UTF-16 text and a lone surrogate are no characters.
  const ProfileFile utf16 =
      ProfileFile::fromBytes(std::string("\xFF\xFE[\0S\0]\0\n\0k\0=\0\x00\xD8v\0x", 18));
  EXPECT_EQ(utf16.readString("S", "k", ""), "?v");
}

TEST(ProfileReaderBadInput, TenMegabyteLine) {
  const std::string line = "[S]\r\nk=" + std::string(10 << 20, 'x') + "\r\nnext=1\r\n";
  const ProfileFile file = ProfileFile::fromBytes(line);
  EXPECT_EQ(file.readString("S", "k", "").size(), kProfileValueBufferSize - 1);
  EXPECT_EQ(file.readString("S", "next", ""), "1");
  // Built by appending: GCC 12 warns falsely (-Wrestrict) on a literal + a temporary string.
  std::string longHeader(1, '[');
  longHeader.append(10 << 20, 'n').append("]\r\nk=v\r\n");
  const ProfileFile header = ProfileFile::fromBytes(longHeader);
  EXPECT_EQ(header.sectionList().count, kProfileListBufferSize - 2);
}

TEST(ProfileReaderBadInput, FiftyMegabyteFile) {
  std::string bytes;
  bytes.reserve(52u << 20);
  for (int section = 0; bytes.size() < (50u << 20); ++section) {
    bytes += "[Installitem_" + std::to_string(section) + "]\r\n";
    for (int key = 0; key < 20; ++key)
      bytes +=
          "Key" + std::to_string(key) + "=some value of a realistic length " + std::to_string(key) + "\r\n";
  }
  const ProfileFile file = ProfileFile::fromBytes(bytes);
  EXPECT_EQ(file.sectionList().count, kProfileListBufferSize - 2);
  EXPECT_EQ(file.readString("installitem_50000", "key19", ""), "some value of a realistic length 19");
  askEverything(file);
}

}  // namespace
}  // namespace sw

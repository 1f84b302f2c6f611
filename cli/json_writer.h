#pragma once
// A small streaming JSON writer for the CLI's output. Strings come in as code page 1251 bytes
// and go out as UTF-8 through the editor's byte-exact table, so no byte is lost; characters
// that would not be visible are written as \uXXXX escapes.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace sw::cli {

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out);

  void beginObject();
  void endObject();
  void beginArray();
  void endArray();
  // The next member's name (1251); only inside an object.
  JsonWriter& key(std::string_view name);
  void value(std::string_view cp1251);
  void value(const char* cp1251) { value(std::string_view(cp1251)); }
  void value(std::int64_t number);
  void value(int number) { value(static_cast<std::int64_t>(number)); }
  void value(bool flag);
  void null();
  // Arrays and objects opened inside this scope are written on one line.
  void beginInline();
  void endInline();

  static std::string quoted(std::string_view cp1251);

 private:
  void beforeValue();
  void newline();

  std::ostream& out_;
  struct Level {
    bool first = true;
    bool isObject = false;
    bool inlined = false;
  };
  std::vector<Level> levels_;
  bool afterKey_ = false;
  int inlineDepth_ = 0;
};

}  // namespace sw::cli

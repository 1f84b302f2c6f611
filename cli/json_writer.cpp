#include "cli/json_writer.h"

#include <cstdio>

#include "platform/text.h"

namespace sw::cli {
namespace {

bool needsEscape(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD; }

void appendUtf8(std::string& out, char32_t c) {
  out += text::toUtf8(std::string(1, static_cast<char>(text::fromUnicode(c))));
}

}  // namespace

JsonWriter::JsonWriter(std::ostream& out) : out_(out) {}

std::string JsonWriter::quoted(std::string_view cp1251) {
  std::string out = "\"";
  for (char byte : cp1251) {
    const char32_t c = text::toUnicode(static_cast<unsigned char>(byte));
    if (c == '"') {
      out += "\\\"";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\b') {
      out += "\\b";
    } else if (c == '\f') {
      out += "\\f";
    } else if (needsEscape(c)) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else {
      appendUtf8(out, c);
    }
  }
  out += '"';
  return out;
}

void JsonWriter::newline() { out_ << '\n' << std::string(levels_.size(), ' '); }

void JsonWriter::beforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (levels_.empty()) return;
  Level& level = levels_.back();
  if (!level.first) out_ << (level.inlined ? ", " : ",");
  if (!level.inlined) newline();
  level.first = false;
}

void JsonWriter::beginObject() {
  beforeValue();
  out_ << '{';
  levels_.push_back({true, true, inlineDepth_ > 0});
}

void JsonWriter::beginArray() {
  beforeValue();
  out_ << '[';
  levels_.push_back({true, false, inlineDepth_ > 0});
}

void JsonWriter::endObject() {
  const Level level = levels_.back();
  levels_.pop_back();
  if (!level.inlined && !level.first) newline();
  out_ << '}';
  if (levels_.empty()) out_ << '\n';
}

void JsonWriter::endArray() {
  const Level level = levels_.back();
  levels_.pop_back();
  if (!level.inlined && !level.first) newline();
  out_ << ']';
  if (levels_.empty()) out_ << '\n';
}

JsonWriter& JsonWriter::key(std::string_view name) {
  beforeValue();
  out_ << quoted(name) << ": ";
  afterKey_ = true;
  return *this;
}

void JsonWriter::value(std::string_view cp1251) {
  beforeValue();
  out_ << quoted(cp1251);
}

void JsonWriter::value(std::int64_t number) {
  beforeValue();
  out_ << number;
}

void JsonWriter::value(bool flag) {
  beforeValue();
  out_ << (flag ? "true" : "false");
}

void JsonWriter::null() {
  beforeValue();
  out_ << "null";
}

void JsonWriter::beginInline() { ++inlineDepth_; }
void JsonWriter::endInline() { --inlineDepth_; }

}  // namespace sw::cli

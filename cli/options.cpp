#include "cli/options.h"

#include <QCommandLineParser>
#include <QStringList>
#include <filesystem>

namespace sw::cli {
namespace {

// Latin-1 maps each byte to one character and back, so no argument byte is lost on the way
// through the parser.
QString bytesToText(const std::string& bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string textToBytes(const QString& text) { return text.toLatin1().toStdString(); }

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args, const std::set<std::string>& valued,
                           const std::set<std::string>& switches) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  for (const std::string& name : valued) parser.addOption(QCommandLineOption(bytesToText(name), {}, "value"));
  for (const std::string& name : switches) parser.addOption(QCommandLineOption(bytesToText(name)));

  QStringList arguments{QStringLiteral("setwright-cli")};
  for (const std::string& arg : args) arguments << bytesToText(arg);

  ParsedOptions parsed;
  if (!parser.parse(arguments)) {
    parsed.error = textToBytes(parser.errorText());
    return parsed;
  }
  for (const QString& name : parser.optionNames()) {
    if (parser.optionNames().count(name) > 1) {
      parsed.error = "option --" + textToBytes(name) + " is given twice";
      return parsed;
    }
  }
  for (const std::string& name : valued) {
    if (parser.isSet(bytesToText(name)))
      parsed.values.emplace(name, textToBytes(parser.value(bytesToText(name))));
  }
  for (const std::string& name : switches) {
    if (parser.isSet(bytesToText(name))) parsed.switches.insert(name);
  }
  for (const QString& positional : parser.positionalArguments())
    parsed.positional.push_back(textToBytes(positional));
  return parsed;
}

std::string absolutePath(const std::string& argument) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(argument, error);
  return error ? argument : absolute.lexically_normal().string();
}

}  // namespace sw::cli

#include "platform/environment.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <unordered_map>

#include "platform/text.h"

#ifdef _WIN32
#include <windows.h>

#include <QProcessEnvironment>
#else
extern char** environ;
#endif

namespace sw::env {
namespace {

// Neither Windows nor POSIX can hold a variable whose name is empty or contains '='.
bool acceptableName(std::string_view name) {
  return !name.empty() && name.find('=') == std::string_view::npos;
}

struct Variable {
  std::string name;  // the first spelling
  std::string value;
};

// The process environment with names folded to lower case as keys.
class Environment {
 public:
  Environment() { readProcessEnvironment(); }

  void set(std::string_view name, std::string_view value) {
    std::lock_guard lock(mutex_);
    const std::string& spelling = store(name, value);
    setInProcess(spelling, value);
  }

  void unset(std::string_view name) {
    std::lock_guard lock(mutex_);
    auto found = variables_.find(text::lowerCase(name));
    if (found == variables_.end()) return;
    unsetInProcess(found->second.name);
    variables_.erase(found);
  }

  std::optional<std::string> get(std::string_view name) const {
    std::lock_guard lock(mutex_);
    auto found = variables_.find(text::lowerCase(name));
    if (found == variables_.end()) return std::nullopt;
    return found->second.value;
  }

 private:
  const std::string& store(std::string_view name, std::string_view value) {
    auto [entry, added] = variables_.try_emplace(text::lowerCase(name));
    if (added) entry->second.name = std::string(name);
    entry->second.value = std::string(value);
    return entry->second.name;
  }

#ifdef _WIN32
  void readProcessEnvironment() {
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    for (const QString& key : system.keys()) {
      const std::string name = text::fromQString(key);
      if (acceptableName(name)) store(name, text::fromQString(system.value(key)));
    }
  }

  static void setInProcess(const std::string& name, std::string_view value) {
    const std::wstring wideName = text::toQString(name).toStdWString();
    const std::wstring wideValue = text::toQString(value).toStdWString();
    // The C runtime's copy (getenv) drops a variable set to an empty text; the Windows
    // environment, which child processes inherit, keeps it.
    if (!wideValue.empty()) _wputenv_s(wideName.c_str(), wideValue.c_str());
    SetEnvironmentVariableW(wideName.c_str(), wideValue.c_str());
  }

  static void unsetInProcess(const std::string& name) {
    const std::wstring wideName = text::toQString(name).toStdWString();
    _wputenv_s(wideName.c_str(), L"");
    SetEnvironmentVariableW(wideName.c_str(), nullptr);
  }
#else
  void readProcessEnvironment() {
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
      const std::string_view line(*entry);
      const std::size_t equals = line.find('=');
      if (equals == std::string_view::npos || equals == 0) continue;
      store(text::fromUtf8(line.substr(0, equals)), text::fromUtf8(line.substr(equals + 1)));
    }
  }

  static void setInProcess(const std::string& name, std::string_view value) {
    ::setenv(text::toUtf8(name).c_str(), text::toUtf8(value).c_str(), 1);
  }

  static void unsetInProcess(const std::string& name) { ::unsetenv(text::toUtf8(name).c_str()); }
#endif

  mutable std::mutex mutex_;
  std::unordered_map<std::string, Variable> variables_;
};

Environment& environment() {
  static Environment instance;
  return instance;
}

// What a C interface would see of the text: everything before the first NUL byte.
std::string_view uptoNul(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace

void setVariable(std::string_view name, std::string_view value) {
  name = uptoNul(name);
  if (!acceptableName(name)) return;
  environment().set(name, uptoNul(value));
}

void unsetVariable(std::string_view name) {
  name = uptoNul(name);
  if (!acceptableName(name)) return;
  environment().unset(name);
}

std::optional<std::string> variable(std::string_view name) {
  name = uptoNul(name);
  if (!acceptableName(name)) return std::nullopt;
  return environment().get(name);
}

std::string expandVariables(std::string_view text) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t open = text.find('%', pos);
    if (open == std::string_view::npos) break;
    const std::size_t close = text.find('%', open + 1);
    if (close == std::string_view::npos) break;  // a lone '%' stays with the rest
    out.append(text.substr(pos, open - pos));
    const std::string_view name = text.substr(open + 1, close - open - 1);
    // An empty name or one holding NUL is never defined; it stays as written.
    const std::optional<std::string> value =
        name.find('\0') == std::string_view::npos ? variable(name) : std::nullopt;
    if (value) {
      out.append(*value);
    } else {
      out.append(text.substr(open, close - open + 1));
    }
    pos = close + 1;
    if (out.size() > std::max(kMaxExpandedLength, text.size())) return std::string(text);
  }
  out.append(text.substr(std::min(pos, text.size())));
  return out;
}

}  // namespace sw::env

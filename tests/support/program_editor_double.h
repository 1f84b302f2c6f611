#pragma once
// A stand-in for the program panel: it records what the programs page asks of it, in order,
// as "show <caption>", "store <caption>" and "scroll" (captions as UTF-8).

#include <string>
#include <utility>
#include <vector>

#include "model/records.h"
#include "platform/text.h"
#include "programs/program_editor.h"

namespace sw::testing {

class RecordingEditor : public ProgramEditor {
 public:
  void ShowProgram(TInstallItem* program) override { calls.push_back("show " + name(program)); }
  void StoreProgram(TInstallItem* program) override { calls.push_back("store " + name(program)); }
  void scrollToGeneral() override { calls.push_back("scroll"); }

  // The calls so far, forgotten.
  std::vector<std::string> take() { return std::exchange(calls, {}); }

  std::vector<std::string> calls;

 private:
  static std::string name(const TInstallItem* program) {
    return program != nullptr ? text::toUtf8(program->Caption) : std::string("none");
  }
};

// Does nothing, as cheaply as an editor can.
class NullEditor : public ProgramEditor {
 public:
  void ShowProgram(TInstallItem* /*program*/) override {}
  void StoreProgram(TInstallItem* /*program*/) override {}
  void scrollToGeneral() override {}
};

}  // namespace sw::testing

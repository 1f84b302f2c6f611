// SetSelected, ResolveDependencies and DeselectDependants call each other; on long dependency
// chains the nesting is as deep as the chain. They run here on an explicit stack of frames, each
// frame resuming exactly where its recursive counterpart would continue after a call returns.
//
// Cycles end by three rules: SetSelected skips a program already holding the value asked for;
// a program whose Selected it changes gets the exclusion and resolution steps only when no
// SetSelected further up the chain is running them for that program; DeselectDependants
// cascades only from a program it changed from selected to not selected.

#include <algorithm>
#include <unordered_set>

#include "model/number_lookup.h"
#include "model/project.h"
#include "model/references.h"

namespace sw {
namespace {

bool Holds(const std::vector<std::int32_t>& list, std::int32_t number) {
  return std::find(list.begin(), list.end(), number) != list.end();
}

class SelectionRun {
 public:
  explicit SelectionRun(Project& project) : index_(ProgramIndexOf(project)) {}

  void setSelected(std::int32_t number, bool value) {
    pushSet(number, value);
    run();
  }
  void resolve(TInstallItem& program) {
    pushResolve(program);
    run();
  }
  void deselectDependants(std::int32_t number) {
    pushDeselect(number);
    run();
  }

 private:
  enum class Kind : std::uint8_t { Set, Resolve, Deselect };
  enum class Stage : std::uint8_t { Start, Depends, Alternatives };

  struct Frame {
    Kind kind = Kind::Set;
    Stage stage = Stage::Start;
    bool value = false;
    std::int32_t number = 0;
    // Resolve: the program resolved. Set: the program whose steps are running, if any.
    TInstallItem* program = nullptr;
    // Set: the programs with the number. Deselect: the programs that depend on the number.
    const std::vector<TInstallItem*>* list = nullptr;
    std::size_t cursor = 0;
    std::size_t runStart = 0;  // Set: the current group's stretch of `list`
    std::size_t runEnd = 0;
  };

  const TInstallItem* find(std::int32_t number) const {
    auto found = index_.found.find(number);
    return found == index_.found.end() ? nullptr : found->second;
  }
  bool resolvesToSelected(std::int32_t number) const {
    const TInstallItem* program = find(number);
    return program != nullptr && program->Selected;
  }

  void pushSet(std::int32_t number, bool value) {
    Frame frame;
    frame.kind = Kind::Set;
    frame.number = number;
    frame.value = value;
    auto found = index_.byNumber.find(number);
    if (found != index_.byNumber.end()) frame.list = &found->second;
    stack_.push_back(frame);
  }
  void pushResolve(TInstallItem& program) {
    Frame frame;
    frame.kind = Kind::Resolve;
    frame.program = &program;
    stack_.push_back(frame);
  }
  void pushDeselect(std::int32_t number) {
    Frame frame;
    frame.kind = Kind::Deselect;
    frame.number = number;
    auto found = index_.dependants.find(number);
    if (found != index_.dependants.end()) frame.list = &found->second;
    stack_.push_back(frame);
  }
  // The last call a frame makes: it is replaced rather than kept waiting.
  void tailSet(std::int32_t number, bool value) {
    stack_.pop_back();
    pushSet(number, value);
  }

  void run() {
    while (!stack_.empty()) {
      switch (stack_.back().kind) {
        case Kind::Set:
          stepSet();
          break;
        case Kind::Resolve:
          stepResolve();
          break;
        case Kind::Deselect:
          stepDeselect();
          break;
      }
    }
  }

  // Programs with the number: groups in order, each group's programs from the last to the first.
  static TInstallItem* nextTarget(Frame& frame) {
    if (frame.list == nullptr) return nullptr;
    const auto& list = *frame.list;
    if (frame.cursor == frame.runStart) {
      if (frame.runEnd == list.size()) return nullptr;
      frame.runStart = frame.runEnd;
      frame.runEnd = frame.runStart + 1;
      while (frame.runEnd < list.size() && list[frame.runEnd]->Owner == list[frame.runStart]->Owner) {
        ++frame.runEnd;
      }
      frame.cursor = frame.runEnd;
    }
    return list[--frame.cursor];
  }

  void stepSet() {
    Frame& frame = stack_.back();
    if (frame.program != nullptr) {  // back from resolving it
      running_.erase(frame.program);
      frame.program = nullptr;
    }
    while (TInstallItem* target = nextTarget(frame)) {
      if (target->Selected == frame.value) continue;
      target->Selected = frame.value;
      if (!running_.insert(target).second) continue;
      frame.program = target;
      if (frame.value) clearExcluded(*target);
      pushResolve(*target);
      return;
    }
    stack_.pop_back();
  }

  void clearExcluded(const TInstallItem& program) {
    for (std::int32_t number : program.Exclude) {
      auto found = index_.found.find(number);
      if (found != index_.found.end()) found->second->Selected = false;
    }
  }

  void stepResolve() {
    Frame& frame = stack_.back();
    TInstallItem& program = *frame.program;
    switch (frame.stage) {
      case Stage::Start:
        if (!program.Selected) {
          const std::int32_t number = program.Number;
          stack_.pop_back();
          pushDeselect(number);
          return;
        }
        frame.stage = Stage::Alternatives;
        if (!program.Depends.empty()) {
          if (dependenciesUsable(program)) {
            frame.stage = Stage::Depends;
          } else {
            program.Selected = false;
          }
        }
        return;
      case Stage::Depends:
        if (frame.cursor < program.Depends.size()) {
          pushSet(program.Depends[frame.cursor++], true);
        } else {
          frame.stage = Stage::Alternatives;
        }
        return;
      case Stage::Alternatives:
        resolveAlternatives(program);
        return;
    }
  }

  // Every Depends entry names a program that excludes none of them.
  bool dependenciesUsable(const TInstallItem& program) const {
    const NumberLookup depends(program.Depends);
    return std::all_of(program.Depends.begin(), program.Depends.end(), [&](std::int32_t number) {
      const TInstallItem* dependency = find(number);
      return dependency != nullptr && !ExcludesAnyOf(*dependency, depends);
    });
  }

  void resolveAlternatives(TInstallItem& program) {
    const auto& alternatives = program.DependsOr;
    if (!program.Selected || alternatives.empty()) {
      stack_.pop_back();
      return;
    }
    // Whether an alternative is possible is judged against the Depends list, as the runtime does.
    const NumberLookup depends(program.Depends);
    const bool anyPossible = std::any_of(alternatives.begin(), alternatives.end(), [&](std::int32_t number) {
      const TInstallItem* alternative = find(number);
      return alternative != nullptr && !ExcludesAnyOf(*alternative, depends);
    });
    if (!anyPossible) {
      program.Selected = false;
      stack_.pop_back();
      return;
    }
    if (std::any_of(alternatives.begin(), alternatives.end(),
                    [&](std::int32_t number) { return resolvesToSelected(number); })) {
      stack_.pop_back();
      return;
    }
    auto preferred = std::find_if(alternatives.begin(), alternatives.end(), [&](std::int32_t number) {
      const TInstallItem* alternative = find(number);
      return alternative != nullptr && alternative->Default;
    });
    tailSet(preferred != alternatives.end() ? *preferred : alternatives.front(), true);
  }

  void stepDeselect() {
    Frame& frame = stack_.back();
    const std::int32_t number = frame.number;
    while (frame.list != nullptr && frame.cursor < frame.list->size()) {
      TInstallItem& dependant = *(*frame.list)[frame.cursor++];
      bool cascade = false;
      if (Holds(dependant.Depends, number)) {
        cascade = dependant.Selected;
        dependant.Selected = false;
      }
      if (Holds(dependant.DependsOr, number) && !otherAlternativeSelected(dependant, number)) {
        dependant.Selected = false;
      }
      if (cascade) {
        pushDeselect(dependant.Number);
        return;
      }
    }
    stack_.pop_back();
  }

  bool otherAlternativeSelected(const TInstallItem& program, std::int32_t number) const {
    return std::any_of(program.DependsOr.begin(), program.DependsOr.end(),
                       [&](std::int32_t other) { return other != number && resolvesToSelected(other); });
  }

  const ProgramIndex& index_;
  std::vector<Frame> stack_;
  // Programs whose exclusion and resolution steps a SetSelected frame on the stack is running.
  std::unordered_set<const TInstallItem*> running_;
};

}  // namespace

void SetSelected(Project& project, std::int32_t number, bool value) {
  SelectionRun(project).setSelected(number, value);
}

void ResolveDependencies(Project& project, TInstallItem& program) { SelectionRun(project).resolve(program); }

void DeselectDependants(Project& project, std::int32_t number) {
  SelectionRun(project).deselectDependants(number);
}

}  // namespace sw

// Findings about the programs' dependencies: cycles through Depends, dependencies that exclude
// each other, and dependencies on programs that can never be chosen.

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "cli/check_report.h"
#include "model/project.h"
#include "model/references.h"

namespace sw::cli {
namespace {

bool Lists(const std::vector<std::int32_t>& list, std::int32_t number) {
  return std::find(list.begin(), list.end(), number) != list.end();
}

bool NeverChosenItself(const TInstallItem* program) {
  return program != nullptr && program->Fixed && !program->Default;
}

// The programs in group and item order, with their place in that order.
struct ProgramOrder {
  std::vector<const TInstallItem*> programs;
  std::unordered_map<const TInstallItem*, std::size_t> place;

  explicit ProgramOrder(const Project& project) {
    for (const auto& group : project.Groups)
      for (const auto& program : group->Items) {
        place.emplace(program.get(), programs.size());
        programs.push_back(program.get());
      }
  }
};

// Strongly connected parts of the Depends graph (Tarjan's method, without recursion).
class DependsCycles {
 public:
  DependsCycles(const Project& project, const ProgramOrder& order) : order_(order) {
    edges_.resize(order.programs.size());
    for (std::size_t i = 0; i < order.programs.size(); ++i) {
      for (std::int32_t number : order.programs[i]->Depends) {
        const TInstallItem* target = FindProgram(project, number);
        if (target != nullptr) edges_[i].push_back(order.place.at(target));
      }
    }
  }

  // Each part of more than one program, or a program that depends on itself.
  std::vector<std::vector<std::size_t>> cycles();
  // The shortest way round from the first program of a part back to it, inside the part.
  std::vector<std::size_t> wayRound(const std::vector<std::size_t>& part) const;

 private:
  const ProgramOrder& order_;
  std::vector<std::vector<std::size_t>> edges_;
};

std::vector<std::vector<std::size_t>> DependsCycles::cycles() {
  const std::size_t n = edges_.size();
  constexpr std::size_t kUnseen = static_cast<std::size_t>(-1);
  std::vector<std::size_t> index(n, kUnseen), low(n, 0);
  std::vector<bool> onStack(n, false);
  std::vector<std::size_t> stack;
  std::vector<std::vector<std::size_t>> parts;
  std::size_t counter = 0;
  struct Frame {
    std::size_t node;
    std::size_t edge;
  };
  for (std::size_t start = 0; start < n; ++start) {
    if (index[start] != kUnseen) continue;
    std::vector<Frame> frames{{start, 0}};
    index[start] = low[start] = counter++;
    stack.push_back(start);
    onStack[start] = true;
    while (!frames.empty()) {
      Frame& frame = frames.back();
      const std::size_t v = frame.node;
      if (frame.edge < edges_[v].size()) {
        const std::size_t w = edges_[v][frame.edge++];
        if (index[w] == kUnseen) {
          index[w] = low[w] = counter++;
          stack.push_back(w);
          onStack[w] = true;
          frames.push_back({w, 0});
        } else if (onStack[w]) {
          low[v] = std::min(low[v], index[w]);
        }
        continue;
      }
      if (low[v] == index[v]) {
        std::vector<std::size_t> part;
        std::size_t w;
        do {
          w = stack.back();
          stack.pop_back();
          onStack[w] = false;
          part.push_back(w);
        } while (w != v);
        const bool selfLoop =
            part.size() == 1 && std::find(edges_[v].begin(), edges_[v].end(), v) != edges_[v].end();
        if (part.size() > 1 || selfLoop) {
          std::sort(part.begin(), part.end());
          parts.push_back(std::move(part));
        }
      }
      frames.pop_back();
      if (!frames.empty()) low[frames.back().node] = std::min(low[frames.back().node], low[v]);
    }
  }
  std::sort(parts.begin(), parts.end());
  return parts;
}

std::vector<std::size_t> DependsCycles::wayRound(const std::vector<std::size_t>& part) const {
  const std::size_t first = part.front();
  const std::unordered_set<std::size_t> inPart(part.begin(), part.end());
  std::unordered_map<std::size_t, std::size_t> cameFrom;
  std::vector<std::size_t> queue{first};
  for (std::size_t at = 0; at < queue.size(); ++at) {
    for (std::size_t next : edges_[queue[at]]) {
      if (next == first) {
        std::vector<std::size_t> way{first};
        for (std::size_t back = queue[at]; back != first; back = cameFrom.at(back)) way.push_back(back);
        std::reverse(way.begin() + 1, way.end());
        return way;
      }
      if (!inPart.contains(next) || cameFrom.contains(next)) continue;
      cameFrom.emplace(next, queue[at]);
      queue.push_back(next);
    }
  }
  return part;
}

void CheckCycles(const CheckInput& input, CheckReport& report, const ProgramOrder& order) {
  DependsCycles graph(input.project, order);
  for (const auto& part : graph.cycles()) {
    const std::vector<std::size_t> way = graph.wayRound(part);
    std::string message = "programs depend on each other through Depends: ";
    // Captions may repeat; the section names tell the programs apart.
    auto named = [&](std::size_t at) {
      const TInstallItem* program = order.programs[at];
      const auto section = input.sectionOf.find(program);
      return quotedName(program->Caption) +
             (section != input.sectionOf.end() ? " [" + section->second + "]" : "");
    };
    for (std::size_t at : way) message += named(at) + " -> ";
    message += named(way.front());
    if (part.size() > way.size())
      message += " (" + std::to_string(part.size()) + " programs in all depend on each other)";
    report.addForProgram(Severity::Warning, "dependency-cycle", input, *order.programs[way.front()],
                         "Depends", std::move(message));
  }
}

void CheckExcludedDependencies(const CheckInput& input, CheckReport& report, const TInstallItem& program) {
  const Project& project = input.project;
  auto conflict = [&](std::string_view key, std::int32_t number) {
    const TInstallItem* other = FindProgram(project, number);
    if (other == nullptr) return;
    std::string why;
    if (Lists(program.Exclude, number))
      why = "it also excludes it";
    else if (Lists(other->Exclude, program.Number))
      why = "that program excludes it";
    if (why.empty()) return;
    report.addForProgram(Severity::Warning, "depends-and-excludes", input, program, key,
                         std::string(key) + " names " + quotedName(other->Caption) + ", but " + why +
                             ": the runtime never chooses the program by its dependencies");
  };
  for (std::int32_t number : program.Depends) conflict("Depends", number);
  for (std::int32_t number : program.DependsOr) conflict("DependsOr", number);
  // Two programs it needs both of, one excluding the other.
  const std::unordered_set<std::int32_t> needed(program.Depends.begin(), program.Depends.end());
  for (std::int32_t number : program.Depends) {
    const TInstallItem* other = FindProgram(project, number);
    if (other == nullptr) continue;
    for (std::int32_t excluded : other->Exclude) {
      if (excluded == number || !needed.contains(excluded)) continue;
      const TInstallItem* third = FindProgram(project, excluded);
      if (third == nullptr) continue;
      report.addForProgram(
          Severity::Warning, "depends-and-excludes", input, program, "Depends",
          "Depends names " + quotedName(other->Caption) + " and " + quotedName(third->Caption) +
              ", and the first excludes the second: the runtime never chooses the program by its "
              "dependencies");
    }
  }
}

void CheckNeverChosen(const CheckInput& input, CheckReport& report, const TInstallItem& program) {
  const Project& project = input.project;
  for (std::int32_t number : program.Depends) {
    const TInstallItem* other = FindProgram(project, number);
    if (!NeverChosenItself(other)) continue;
    report.addForProgram(Severity::Warning, "never-chosen", input, program, "Depends",
                         "Depends names " + quotedName(other->Caption) +
                             ", which is fixed and not chosen: the program can never be chosen");
  }
  if (program.DependsOr.empty()) return;
  const bool allBlocked =
      std::all_of(program.DependsOr.begin(), program.DependsOr.end(),
                  [&](std::int32_t n) { return NeverChosenItself(FindProgram(project, n)); });
  if (allBlocked) {
    report.addForProgram(
        Severity::Warning, "never-chosen", input, program, "DependsOr",
        "every program DependsOr names is fixed and not chosen: the program can never be chosen");
  }
}

}  // namespace

void CheckDependencies(const CheckInput& input, CheckReport& report) {
  const ProgramOrder order(input.project);
  CheckCycles(input, report, order);
  for (const TInstallItem* program : order.programs) {
    CheckExcludedDependencies(input, report, *program);
    CheckNeverChosen(input, report, *program);
  }
}

}  // namespace sw::cli

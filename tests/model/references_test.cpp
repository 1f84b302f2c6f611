#include "model/references.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "model/project.h"
#include "support/temp_dir.h"

namespace sw {
namespace {

using Numbers = std::vector<std::int32_t>;

struct Sketch {
  std::int32_t number;
  bool isDefault = false;
  Numbers depends = {};
  Numbers dependsOr = {};
  Numbers exclude = {};
};

// Adds a program as the loader leaves it: Selected starts at Default.
TInstallItem* Add(Project& project, TInstallGroup* group, const Sketch& sketch,
                  const std::string& caption = {}) {
  auto program = NewProgram(group);
  program->Number = sketch.number;
  program->Caption = caption.empty() ? "P" + std::to_string(sketch.number) : caption;
  program->Default = sketch.isDefault;
  program->Selected = sketch.isDefault;
  program->Depends = sketch.depends;
  program->DependsOr = sketch.dependsOr;
  program->Exclude = sketch.exclude;
  return AttachProgram(project, group, std::move(program));
}

std::vector<bool> SelectionOf(const Project& project) {
  std::vector<bool> selected;
  for (const auto& group : project.Groups) {
    for (const auto& item : group->Items) selected.push_back(item->Selected);
  }
  return selected;
}

TEST(FindProgram, TakesFirstProgramOfTheLastGroupHoldingTheNumber) {
  Project project;
  TInstallGroup* first = AddGroup(project, "A", "");
  TInstallGroup* second = AddGroup(project, "B", "");
  TInstallGroup* third = AddGroup(project, "C", "");
  Add(project, first, {5});
  Add(project, first, {5});
  TInstallItem* expected = Add(project, second, {5});
  Add(project, second, {5});
  TInstallItem* other = Add(project, third, {6});
  EXPECT_EQ(FindProgram(project, 5), expected);
  EXPECT_EQ(FindProgram(project, 6), other);
  EXPECT_EQ(FindProgram(project, 7), nullptr);

  std::string caption = "kept";
  ProgramCaption(project, 7, caption);
  EXPECT_EQ(caption, "kept");
  ProgramCaption(project, 6, caption);
  EXPECT_EQ(caption, "P6");
}

TEST(ReferenceTexts, JoinCaptionsAndRepeatThePreviousOneForUnresolvedEntries) {
  Project project;
  TInstallGroup* group = AddGroup(project, "G", "");
  Add(project, group, {1}, "Alpha");
  Add(project, group, {2}, "Beta");
  TInstallItem* holder = Add(project, group, {3, false, {1, 2}, {9, 1, 9}, {}});
  EXPECT_EQ(DependsText(project, *holder), "Alpha  Beta");
  // The first entry resolves to nothing and adds nothing; the last repeats "Alpha".
  EXPECT_EQ(DependsOrText(project, *holder), "Alpha  Alpha");
  EXPECT_EQ(ExcludeText(project, *holder), "");
}

TEST(ReferenceTexts, BreakWithABarEveryEightyColumns) {
  Project project;
  TInstallGroup* group = AddGroup(project, "G", "");
  const std::string caption(30, 'x');
  Numbers all;
  for (std::int32_t n = 0; n < 6; ++n) {
    Add(project, group, {n}, caption);
    all.push_back(n);
  }
  TInstallItem* holder = Add(project, group, {10, false, all});
  // Lengths before each caption: 0, 32, 64, 96 (> 80: bar), 129, 161 (> 160: bar).
  const std::string gap = "  ";
  const std::string expected =
      caption + gap + caption + gap + caption + gap + "|" + caption + gap + caption + gap + "|" + caption;
  EXPECT_EQ(DependsText(project, *holder), expected);
}

TEST(GroupState, FollowsTheSelectionOfTheGroupsPrograms) {
  Project project;
  TInstallGroup* all = AddGroup(project, "all", "");
  TInstallGroup* none = AddGroup(project, "none", "");
  TInstallGroup* mixed = AddGroup(project, "mixed", "");
  TInstallGroup* empty = AddGroup(project, "empty", "");
  for (std::int32_t n = 0; n < 3; ++n) Add(project, all, {n, true});
  Add(project, none, {10});
  Add(project, none, {11});
  Add(project, mixed, {20, true});
  Add(project, mixed, {21});
  ApplyDefaultSelection(project);
  EXPECT_EQ(all->State, GroupSelection::All);
  EXPECT_EQ(none->State, GroupSelection::None);
  EXPECT_EQ(mixed->State, GroupSelection::Some);
  EXPECT_EQ(empty->State, GroupSelection::NoPrograms);
  // The runtime's three states: some selected and no programs are one.
  EXPECT_EQ(GroupStateNumber(GroupSelection::Some), GroupStateNumber(GroupSelection::NoPrograms));
}

TEST(ExcludesAny, ComparesShortAndLongLists) {
  TInstallItem program;
  program.Exclude = {4, 9};
  EXPECT_TRUE(ExcludesAny(program, {1, 9}));
  EXPECT_FALSE(ExcludesAny(program, {1, 2}));
  EXPECT_FALSE(ExcludesAny(program, {}));
  Numbers longList;
  for (std::int32_t n = 100; n < 1100; ++n) longList.push_back(n);
  EXPECT_FALSE(ExcludesAny(program, longList));
  longList.push_back(4);
  EXPECT_TRUE(ExcludesAny(program, longList));
}

TEST(ApplyFixedExclusions, FixedDefaultProgramLocksOutWhatItExcludes) {
  Project project;
  TInstallGroup* group = AddGroup(project, "G", "");
  TInstallItem* a = Add(project, group, {0, true, {}, {}, {1}});
  a->Fixed = true;
  TInstallItem* b = Add(project, group, {1, true});
  TInstallItem* c = Add(project, group, {2, false, {}, {}, {3}});
  TInstallItem* d = Add(project, group, {3, true});
  d->Fixed = true;
  TInstallItem* e = Add(project, group, {4, true, {}, {}, {1, 77}});
  for (const auto& item : group->Items) ApplyFixedExclusions(project, *item);

  EXPECT_TRUE(b->Fixed);
  EXPECT_FALSE(b->Default);
  EXPECT_FALSE(b->Selected);
  // Excluding a fixed default program fixes the excluding one but keeps its own choice.
  EXPECT_TRUE(c->Fixed);
  EXPECT_FALSE(c->Default);
  // B lost Default for A before E's turn, so E is not fixed.
  EXPECT_FALSE(e->Fixed);
  EXPECT_TRUE(e->Default);
}

TEST(ResolveDependencies, SelectsDependenciesUnlessTheyExcludeEachOther) {
  Project project;
  TInstallGroup* group = AddGroup(project, "G", "");
  TInstallItem* b = Add(project, group, {1});
  TInstallItem* a = Add(project, group, {0, true, {1}});
  ResolveDependencies(project, *a);
  EXPECT_TRUE(a->Selected);
  EXPECT_TRUE(b->Selected);

  TInstallItem* c = Add(project, group, {2, false, {}, {}, {3}});
  Add(project, group, {3});
  TInstallItem* x = Add(project, group, {4, true, {2, 3}});
  ResolveDependencies(project, *x);
  EXPECT_FALSE(x->Selected);
  EXPECT_FALSE(c->Selected);

  // A dependency that names no program cannot be satisfied.
  TInstallItem* orphan = Add(project, group, {5, true, {1, 99}});
  ResolveDependencies(project, *orphan);
  EXPECT_FALSE(orphan->Selected);
}

TEST(ResolveDependencies, PicksTheAlternativeToSelect) {
  Project project;
  TInstallGroup* group = AddGroup(project, "G", "");
  TInstallItem* p1 = Add(project, group, {1});
  TInstallItem* p2 = Add(project, group, {2});
  p2->Default = true;  // default, but not selected
  TInstallItem* a = Add(project, group, {0, true, {}, {1, 2}});
  ResolveDependencies(project, *a);
  EXPECT_FALSE(p1->Selected);
  EXPECT_TRUE(p2->Selected);

  // Without a default alternative the first one is taken, even when it names no program.
  TInstallItem* q1 = Add(project, group, {11});
  TInstallItem* q2 = Add(project, group, {12});
  TInstallItem* b = Add(project, group, {10, true, {}, {11, 12}});
  ResolveDependencies(project, *b);
  EXPECT_TRUE(q1->Selected);
  EXPECT_FALSE(q2->Selected);
  TInstallItem* c = Add(project, group, {13, true, {}, {99, 11}});
  q1->Selected = false;
  ResolveDependencies(project, *c);
  EXPECT_TRUE(c->Selected);
  EXPECT_FALSE(q1->Selected);

  // An alternative already selected satisfies the list.
  q1->Selected = false;
  q2->Selected = true;
  ResolveDependencies(project, *b);
  EXPECT_FALSE(q1->Selected);

  // Alternatives are judged against the Depends list: each one here excludes a dependency.
  Add(project, group, {20});
  Add(project, group, {21, false, {}, {}, {20}});
  TInstallItem* d = Add(project, group, {22, true, {20}, {21}});
  ResolveDependencies(project, *d);
  EXPECT_FALSE(d->Selected);
}

TEST(DeselectDependants, CascadesThroughDependsButNotThroughSatisfiedAlternatives) {
  Project project;
  TInstallGroup* group = AddGroup(project, "G", "");
  Add(project, group, {0});
  TInstallItem* needsZero = Add(project, group, {1, true, {0}});
  TInstallItem* needsOne = Add(project, group, {2, true, {1}});
  TInstallItem* eitherOk = Add(project, group, {3, true, {}, {0, 4}});
  Add(project, group, {4, true});
  TInstallItem* eitherGone = Add(project, group, {5, true, {}, {0, 6}});
  Add(project, group, {6});
  TInstallItem* needsFive = Add(project, group, {7, true, {5}});
  DeselectDependants(project, 0);
  EXPECT_FALSE(needsZero->Selected);
  EXPECT_FALSE(needsOne->Selected);
  EXPECT_TRUE(eitherOk->Selected);
  EXPECT_FALSE(eitherGone->Selected);
  // Losing the last alternative does not cascade.
  EXPECT_TRUE(needsFive->Selected);
}

TEST(ApplyDefaultSelection, DefaultProgramDropsWhatItExcludesAndWhatNeedsThat) {
  Project project;
  TInstallGroup* group = AddGroup(project, "G", "");
  TInstallItem* b = Add(project, group, {1, true});
  TInstallItem* needsB = Add(project, group, {2, true, {1}});
  TInstallItem* a = Add(project, group, {0, true, {}, {}, {1}});
  ApplyDefaultSelection(project);
  EXPECT_TRUE(a->Selected);
  EXPECT_FALSE(b->Selected);
  EXPECT_FALSE(needsB->Selected);
  EXPECT_EQ(group->State, GroupSelection::Some);
}

TEST(CheckProgramTag, HidesAndFixesProgramsWhoseTagFileIsMissing) {
  testing::TempDir root;
  root.write("Soft/Office/tag.txt", "x");
  Project project;
  project.Settings.RootInstallDir = root.path();
  TInstallGroup* group = AddGroup(project, "G", "");
  TInstallItem* present = Add(project, group, {0, true});
  present->Folder = "Soft\\Office";
  present->CheckTagFile = "tag.txt";
  TInstallItem* absent = Add(project, group, {1, true});
  absent->Folder = "Soft\\Office";
  absent->CheckTagFile = "missing.txt";
  TInstallItem* absolute = Add(project, group, {2, true});
  absolute->CheckTagFile = root.file("Soft/Office/tag.txt");
  TInstallItem* unchecked = Add(project, group, {3, true});
  unchecked->Folder = "Nowhere";
  for (const auto& item : group->Items) CheckProgramTag(project, *item);

  for (const TInstallItem* kept : {present, absolute, unchecked}) {
    EXPECT_TRUE(kept->Default && kept->Visible && !kept->Fixed) << kept->Number;
  }
  EXPECT_FALSE(absent->Default);
  EXPECT_FALSE(absent->Selected);
  EXPECT_TRUE(absent->Fixed);
  EXPECT_FALSE(absent->Visible);
}

// Cycles: every pass must end, with the result the step-by-step rules give.
TEST(SelectionCycles, SelfAndMutualDependenciesEnd) {
  Project project;
  TInstallGroup* group = AddGroup(project, "G", "");
  TInstallItem* self = Add(project, group, {0, true, {0}});
  TInstallItem* a = Add(project, group, {1, true, {2}});
  TInstallItem* b = Add(project, group, {2, false, {1}});
  TInstallItem* selfExcluding = Add(project, group, {3, false, {}, {}, {3}});
  TInstallItem* needsIt = Add(project, group, {4, true, {3}});
  ApplyDefaultSelection(project);
  EXPECT_TRUE(self->Selected);
  // B is not default: its own turn clears it and takes A along.
  EXPECT_FALSE(a->Selected);
  EXPECT_FALSE(b->Selected);
  EXPECT_FALSE(selfExcluding->Selected);
  EXPECT_FALSE(needsIt->Selected);

  b->Default = true;
  ApplyDefaultSelection(project);
  EXPECT_TRUE(a->Selected);
  EXPECT_TRUE(b->Selected);
}

TEST(SelectionCycles, TwoDefaultsThatNeedAndExcludeEachOther) {
  Project project;
  TInstallGroup* group = AddGroup(project, "G", "");
  TInstallItem* a = Add(project, group, {0, true, {1}, {}, {1}});
  TInstallItem* b = Add(project, group, {1, true, {0}, {}, {0}});
  ApplyDefaultSelection(project);
  // B's turn reselects A, A reselects B, and B's nested request for A only sets it.
  EXPECT_TRUE(a->Selected);
  EXPECT_TRUE(b->Selected);
  EXPECT_EQ(group->State, GroupSelection::All);
}

TEST(SelectionCycles, LongChainsAndRingsNeitherRecurseNorLoop) {
  constexpr std::int32_t kChain = 5000;
  Project project;
  TInstallGroup* group = AddGroup(project, "chain", "");
  // Program n needs n - 1; only the last one is a default. It must come last: a program visited
  // later that is not a default clears itself and everything that needs it.
  for (std::int32_t n = 0; n < kChain; ++n) {
    Add(project, group, {n, n == kChain - 1, n == 0 ? Numbers{} : Numbers{n - 1}});
  }
  constexpr std::int32_t kRing = 40;
  TInstallGroup* ring = AddGroup(project, "ring", "");
  for (std::int32_t n = 0; n < kRing; ++n) {
    Add(project, ring, {kChain + n, n == kRing - 1, {kChain + (n + 1) % kRing}});
  }
  ApplyDefaultSelection(project);
  EXPECT_EQ(group->State, GroupSelection::All);
  EXPECT_EQ(ring->State, GroupSelection::All);

  DeselectDependants(project, 0);
  EXPECT_EQ(GroupState(*group), GroupSelection::Some);  // all but program 0, which nothing deselected
  EXPECT_TRUE(group->Items[0]->Selected);
  EXPECT_FALSE(group->Items[kChain - 1]->Selected);
  SetSelected(project, kChain, false);
  EXPECT_EQ(GroupState(*ring), GroupSelection::None);
}

TEST(SelectionCycles, OneProgramNeedingAThousandOthers) {
  constexpr std::int32_t kCount = 1000;
  Project project;
  TInstallGroup* group = AddGroup(project, "G", "");
  Numbers others;
  for (std::int32_t n = 1; n < kCount; ++n) {
    Add(project, group, {n, false, {}, {}, {kCount + n}});
    others.push_back(n);
  }
  TInstallItem* hub = Add(project, group, {0, true, others});
  ApplyDefaultSelection(project);
  EXPECT_EQ(group->State, GroupSelection::All);
  DeselectDependants(project, 500);
  EXPECT_FALSE(hub->Selected);
}

// The passes written as plainly recursive functions, as the rules state them; the explicit-stack
// version must agree with it on every project.
class RecursiveSelection {
 public:
  explicit RecursiveSelection(Project& project) : project_(project) {}

  void applyDefaultSelection() {
    for (const auto& group : project_.Groups) {
      for (const auto& item : group->Items) {
        item->Selected = item->Default;
        if (item->Selected) deselectExcluded(*item);
        resolve(*item);
      }
    }
  }

 private:
  TInstallItem* find(std::int32_t number) {
    TInstallItem* found = nullptr;
    for (const auto& group : project_.Groups) {
      for (const auto& item : group->Items) {
        if (item->Number == number) {
          found = item.get();
          break;
        }
      }
    }
    return found;
  }
  static bool holds(const Numbers& list, std::int32_t number) {
    for (std::int32_t entry : list) {
      if (entry == number) return true;
    }
    return false;
  }
  static bool excludesAny(const TInstallItem& program, const Numbers& list) {
    for (std::int32_t entry : program.Exclude) {
      if (holds(list, entry)) return true;
    }
    return false;
  }
  void deselectExcluded(TInstallItem& program) {
    for (std::int32_t entry : program.Exclude) {
      TInstallItem* excluded = find(entry);
      if (excluded == nullptr || !excluded->Selected) continue;
      setSelected(entry, false);
      resolve(*excluded);
    }
  }
  void setSelected(std::int32_t number, bool value) {
    for (const auto& group : project_.Groups) {
      for (auto item = group->Items.rbegin(); item != group->Items.rend(); ++item) {
        TInstallItem& program = **item;
        if (program.Number != number || program.Selected == value) continue;
        program.Selected = value;
        if (running_.count(&program)) continue;
        running_.insert(&program);
        if (value) {
          for (std::int32_t entry : program.Exclude) {
            if (TInstallItem* excluded = find(entry)) excluded->Selected = false;
          }
        }
        resolve(program);
        running_.erase(&program);
      }
    }
  }
  void resolve(TInstallItem& program) {
    if (!program.Selected) {
      deselectDependants(program.Number);
      return;
    }
    if (!program.Depends.empty()) {
      bool usable = true;
      for (std::int32_t entry : program.Depends) {
        TInstallItem* dependency = find(entry);
        if (dependency == nullptr || excludesAny(*dependency, program.Depends)) usable = false;
      }
      if (usable) {
        for (std::int32_t entry : program.Depends) setSelected(entry, true);
      } else {
        program.Selected = false;
      }
    }
    if (!program.Selected || program.DependsOr.empty()) return;
    bool possible = false;
    bool satisfied = false;
    for (std::int32_t entry : program.DependsOr) {
      TInstallItem* alternative = find(entry);
      if (alternative == nullptr) continue;
      possible = possible || !excludesAny(*alternative, program.Depends);
      satisfied = satisfied || alternative->Selected;
    }
    if (!possible) {
      program.Selected = false;
      return;
    }
    if (satisfied) return;
    for (std::int32_t entry : program.DependsOr) {
      TInstallItem* alternative = find(entry);
      if (alternative != nullptr && alternative->Default) {
        setSelected(entry, true);
        return;
      }
    }
    setSelected(program.DependsOr.front(), true);
  }
  void deselectDependants(std::int32_t number) {
    for (const auto& group : project_.Groups) {
      for (const auto& item : group->Items) {
        TInstallItem& program = *item;
        bool cascade = false;
        if (holds(program.Depends, number)) {
          cascade = program.Selected;
          program.Selected = false;
        }
        if (holds(program.DependsOr, number)) {
          bool other = false;
          for (std::int32_t entry : program.DependsOr) {
            TInstallItem* alternative = find(entry);
            other = other || (entry != number && alternative != nullptr && alternative->Selected);
          }
          if (!other) program.Selected = false;
        }
        if (cascade) deselectDependants(program.Number);
      }
    }
  }

  Project& project_;
  std::set<const TInstallItem*> running_;
};

void BuildRandomProject(Project& project, unsigned seed) {
  std::mt19937 random(seed);
  auto below = [&](int bound) { return static_cast<std::int32_t>(random() % static_cast<unsigned>(bound)); };
  auto list = [&]() {
    Numbers numbers(static_cast<std::size_t>(below(4)));
    for (auto& n : numbers) n = below(12);  // 10 and 11 name no program
    return numbers;
  };
  const int groups = 1 + below(3);
  for (int g = 0; g < groups; ++g) {
    TInstallGroup* group = AddGroup(project, "G" + std::to_string(g), "");
    const int programs = below(6);
    for (int p = 0; p < programs; ++p) {
      Numbers depends = list();
      Numbers dependsOr = list();
      Numbers exclude = list();
      Add(project, group, {below(10), below(2) == 0, depends, dependsOr, exclude});
    }
  }
}

TEST(SelectionPasses, AgreeWithTheRecursiveRulesOnRandomProjects) {
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    Project stacked;
    Project recursive;
    BuildRandomProject(stacked, seed);
    BuildRandomProject(recursive, seed);
    ApplyDefaultSelection(stacked);
    RecursiveSelection(recursive).applyDefaultSelection();
    ASSERT_EQ(SelectionOf(stacked), SelectionOf(recursive)) << "seed " << seed;
  }
}

}  // namespace
}  // namespace sw

#pragma once
// What the groups and programs pages share while the user edits: the group and the program
// whose properties are shown, and whether a panel is being filled from the model or copied back
// (the change handlers do nothing then, so that filling a control is not an edit).

namespace sw {

struct TInstallGroup;
struct TInstallItem;

struct EditorState {
  TInstallGroup* CurrentGroup = nullptr;
  TInstallItem* CurrentProgram = nullptr;
  bool Updating = false;
};

// Sets Updating for its lifetime and restores what it was.
class UpdatingScope {
 public:
  explicit UpdatingScope(EditorState& state) : state_(state), was_(state.Updating) { state_.Updating = true; }
  ~UpdatingScope() { state_.Updating = was_; }
  UpdatingScope(const UpdatingScope&) = delete;
  UpdatingScope& operator=(const UpdatingScope&) = delete;

 private:
  EditorState& state_;
  bool was_;
};

}  // namespace sw

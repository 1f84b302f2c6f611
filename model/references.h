#pragma once
// References between programs by number, their display texts, and the load-time passes that
// derive the initial selection as the runtime would show it.

#include <cstdint>
#include <string>
#include <vector>

namespace sw {

struct Project;
struct TInstallGroup;
struct TInstallItem;
enum class GroupSelection : std::uint8_t;

inline constexpr int DependsLineWidth = 80;

TInstallItem* FindProgram(const Project& project, std::int32_t number);
void ProgramCaption(const Project& project, std::int32_t number, std::string& caption);
std::string DependsText(const Project& project, const TInstallItem& program);
std::string DependsOrText(const Project& project, const TInstallItem& program);
std::string ExcludeText(const Project& project, const TInstallItem& program);
GroupSelection GroupState(const TInstallGroup& group);
bool ExcludesAny(const TInstallItem& program, const std::vector<std::int32_t>& list);

// Where the load looks for a program's tag file (1251); empty when it names none.
std::string ProgramTagPath(const Project& project, const TInstallItem& program);
void CheckProgramTag(const Project& project, TInstallItem& program);
void ApplyFixedExclusions(Project& project, TInstallItem& program);
void ApplyDefaultSelection(Project& project);
void SetSelected(Project& project, std::int32_t number, bool value);
void ResolveDependencies(Project& project, TInstallItem& program);
void DeselectExcluded(Project& project, TInstallItem& program);
void DeselectDependants(Project& project, std::int32_t number);

}  // namespace sw

#pragma once
// The check of a written project file before it replaces the old one: every program must
// come back as the reader would load it, in a group of the same name and kind and in the same
// order, with references to the same programs.

#include <string>
#include <vector>

#include "platform/status.h"

namespace sw {

struct Project;
struct TInstallGroup;
struct TInstallItem;
class ProfileFile;

struct LostItems {
  // Groups that would not come back, or would come back without any of their programs.
  std::vector<const TInstallGroup*> groups;
  // Why each of those groups is lost, where its name tells (1251; empty when it does not).
  std::vector<std::string> groupReasons;
  // Programs that would not come back faithfully, outside the groups above.
  std::vector<const TInstallItem*> programs;
  // Why each of those programs is lost, where a value too long for the reader tells (1251).
  std::vector<std::string> programReasons;
  // Groups and programs the file would hold that the project does not have.
  int strays = 0;
  int programCount = 0;  // programs in the project
  bool empty() const { return groups.empty() && programs.empty() && strays == 0; }
};

// Compares the project (after RenumberPrograms or not) with what `written` gives back.
LostItems FindLostItems(const Project& project, const ProfileFile& written);
// The editor's message for a refused save (1251), naming the lost groups and programs.
std::string LostItemsMessage(const LostItems& lost);
// Refused (with that message, UTF-8) when something would be lost.
Status CheckWrittenProject(const Project& project, const ProfileFile& written);

}  // namespace sw

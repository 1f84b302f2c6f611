#pragma once
// The display pictures of programs: the picture lists put back to their built-in pictures
// before a load, and one picture pair per program (LoadProgramPictures, project_reader.h).

namespace sw {

struct Project;

// Cuts the display lists back to their built-in pictures (refilling them when a list holds
// fewer) and sets BuiltinImageCount; lists that are null are left alone.
void ResetProgramPictureLists(Project& project);

}  // namespace sw

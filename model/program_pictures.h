#pragma once
// The display pictures of programs: the picture lists put back to their built-in pictures
// before a load, and one picture pair per program (LoadProgramPictures, project_reader.h).

class QImage;

namespace sw {

class ImageList;
struct Project;
struct TInstallItem;

// Cuts the display lists back to their built-in pictures (refilling them when a list holds
// fewer) and sets BuiltinImageCount; lists that are null are left alone.
void ResetProgramPictureLists(Project& project);

// A new icon for a program's pictures in `small` and `large` (the project's display lists):
// `icon16`, drawn on the project's icon background, replaces its small slot and `icon32` its
// large slot; a null picture leaves its slot as it was. A program still on the built-in default
// pictures, which other programs share, first gets a pair of slots of its own. Returns whether
// a picture changed.
bool ReplaceProgramPictures(const Project& project, ImageList& small, ImageList& large, TInstallItem& program,
                            const QImage& icon16, const QImage& icon32);

}  // namespace sw

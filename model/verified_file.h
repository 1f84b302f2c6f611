#pragma once
// Putting a new file in place of an old one only after what was written has been read back
// and found right.

#include <functional>
#include <string>
#include <string_view>

#include "model/project_writer.h"

namespace sw {

class ProfileFile;

// The editor's words for a file that cannot be written (1251): "Unable to write to <path>".
std::string UnableToWriteMessage(const std::string& shownPath);

// Writes `bytes` to a new temporary file in the folder of `hostTarget`, reads it back and
// hands it to `check`; only when the check agrees is the temporary file renamed over the
// target. On a refusal or a failure the target is untouched and no temporary file remains.
// `shownPath` (1251) names the file in the failure message.
SaveResult ReplaceVerified(const std::string& hostTarget, std::string_view bytes,
                           const std::string& shownPath,
                           const std::function<SaveResult(const ProfileFile&)>& check);

}  // namespace sw

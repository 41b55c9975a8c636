// Which highlighter a document gets from its file name when automatic colouring is on.
#pragma once

#include <string>
#include <vector>

namespace krq {

// The language names to apply in turn (the last one stays on the editor): {"nil"} for a
// ".txt" file, every highlighter whose filter lists the pattern "*" + the lower-cased
// extension, in catalogue order, or nothing, which keeps the editor's highlighter.
std::vector<std::string> LanguagesForFile(const std::string& fileName);

}  // namespace krq

// Colour schemes on disk: one section per highlighter, three keys per attribute.
#pragma once

#include <string>

namespace krq {

class TKrqHighlighter;
class TfrmMarkers;

// Sets every attribute of `highlighter` from the file: name_F and name_B (no colour when
// missing) and name_S (no style when missing). A missing file leaves everything uncoloured.
void LoadColorScheme(TKrqHighlighter& highlighter, const std::string& path);
void LoadColorScheme(TfrmMarkers& markers, const std::string& path);
// Writes all three keys of every attribute of every highlighter, in catalogue and list order,
// in one rewrite of the file; "Unable to write to %s" when refused.
void SaveColorScheme(TfrmMarkers& markers, const std::string& path);

}  // namespace krq

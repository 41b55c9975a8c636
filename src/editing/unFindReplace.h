// The find and replace commands over the editing model: the dialog's choices turned into search
// options, the selection test of Replace, and what each button of the dialogs does.
#pragma once

#include <string>
#include <string_view>

#include "editor/model/TKrqEditModel.h"

namespace krq {

// What a find or replace dialog holds when a button is pressed; texts are Windows-1250.
struct TFindChoices {
    std::string FindText;
    std::string ReplaceText;
    bool Down = true;
    bool MatchCase = false;
    bool WholeWord = false;
};

// Find next: prompt (no handler is attached, so it only documents intent), the direction, case
// and whole word. Every search starts at the caret and never wraps round.
TKrqSearchOptions FindNextOptions(const TFindChoices& choices);
// Replace all without prompting, so that the engine replaces in one pass as one undo step.
TKrqSearchOptions ReplaceAllOptions(const TFindChoices& choices);

// Whether the selection already is the search text: exactly with match case, otherwise with
// the ASCII letters a-z folded only (a Polish letter must match exactly).
bool SelectionMatches(std::string_view selected, std::string_view search, bool matchCase);

// Selects the next occurrence; false when there is none (the message is the caller's).
bool FindNext(TKrqEditModel& model, const TFindChoices& choices);
// Replaces the selection when it is the search text (one undo step), then finds the next one.
bool ReplaceNext(TKrqEditModel& model, const TFindChoices& choices);
// Replaces every occurrence from the caret to the end (down) or the start (up) of the text;
// returns how many.
int ReplaceAll(TKrqEditModel& model, const TFindChoices& choices);

}  // namespace krq

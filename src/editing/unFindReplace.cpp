// The find and replace commands over the editing model's FindAndReplace.
#include "editing/unFindReplace.h"

namespace krq {

namespace {

TKrqSearchOptions CommonOptions(const TFindChoices& choices) {
    TKrqSearchOptions options = 0;
    if (!choices.Down) options |= ssoBackwards;
    if (choices.MatchCase) options |= ssoMatchCase;
    if (choices.WholeWord) options |= ssoWholeWord;
    return options;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

TKrqSearchOptions FindNextOptions(const TFindChoices& choices) {
    return CommonOptions(choices) | ssoPrompt;
}

TKrqSearchOptions ReplaceAllOptions(const TFindChoices& choices) {
    return CommonOptions(choices) | ssoReplaceAll;
}

bool SelectionMatches(std::string_view selected, std::string_view search, bool matchCase) {
    if (selected.size() != search.size()) return false;
    if (matchCase) return selected == search;
    for (size_t i = 0; i < selected.size(); ++i)
        if (AsciiUpper(selected[i]) != AsciiUpper(search[i])) return false;
    return true;
}

bool FindNext(TKrqEditModel& model, const TFindChoices& choices) {
    return model.FindAndReplace(choices.FindText, "", FindNextOptions(choices)) > 0;
}

bool ReplaceNext(TKrqEditModel& model, const TFindChoices& choices) {
    // The search text holds no line break, so only a selection within one line can match; a
    // selection over many lines is never copied out just to be compared.
    const TBufferCoord begin = model.BlockBegin();
    if (model.SelAvail() && begin.Line == model.BlockEnd().Line &&
        SelectionMatches(model.SelectedText(), choices.FindText, choices.MatchCase)) {
        model.SetSelectedText(choices.ReplaceText);
        // Searching upwards from behind the new text would find the search text inside the
        // replacement again; the search goes on from where the replaced text began.
        if (!choices.Down) model.SetCaretXY(begin);
    }
    return FindNext(model, choices);
}

int ReplaceAll(TKrqEditModel& model, const TFindChoices& choices) {
    return model.FindAndReplace(choices.FindText, choices.ReplaceText, ReplaceAllOptions(choices));
}

}  // namespace krq

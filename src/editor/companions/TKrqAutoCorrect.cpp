// Auto-correction: the trigger, the word, the item match, the case rules and the replacement.
#include "editor/companions/TKrqAutoCorrect.h"

#include "editor/companions/unWordLists.h"
#include "editor/model/TKrqEditModel.h"
#include "platform/cp1250.h"

namespace krq {

namespace autocorrect {

namespace {

std::string Mapped(std::string_view s, uint8_t (*map)(uint8_t)) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(map(static_cast<uint8_t>(c)));
    return out;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (cp1250::ToUpper(static_cast<uint8_t>(a[i])) !=
            cp1250::ToUpper(static_cast<uint8_t>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsWordChar(uint8_t c) { return c >= 33 && cp1250::IsAlnum(c); }

std::string_view WordBeforeCaret(std::string_view line, int caretColumn) {
    if (caretColumn < 1) return {};
    size_t end = static_cast<size_t>(caretColumn - 1);
    if (end > line.size()) return {};
    size_t begin = end;
    while (begin > 0 && static_cast<uint8_t>(line[begin - 1]) > 32) --begin;
    return line.substr(begin, end - begin);
}

bool FindCorrection(const std::vector<std::string>& items, char sepChar,
                    TKrqAutoCorrectOptions options, std::string_view word,
                    std::string& correction) {
    if (word.empty()) return false;
    for (const std::string& item : items) {
        std::string_view listed = item;
        std::string_view replacement;
        if (size_t sep = listed.rfind(sepChar); sep != std::string_view::npos) {
            replacement = listed.substr(sep + 1);
            listed = listed.substr(0, sep);
        }
        if (listed.empty() || listed.find(' ') != std::string_view::npos) continue;
        bool same = (options & ascoIgnoreCase) ? EqualIgnoringCase(listed, word) : listed == word;
        if (!same) continue;
        correction =
            (options & ascoMaintainCase) ? MatchCase(word, replacement) : std::string(replacement);
        return true;
    }
    return false;
}

std::string FirstCapital(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    if (!out.empty() && out[0] >= 'a' && out[0] <= 'z') out[0] = static_cast<char>(out[0] - 32);
    return out;
}

std::string MatchCase(std::string_view word, std::string_view correction) {
    if (word == Mapped(word, cp1250::ToUpper)) return Mapped(correction, cp1250::ToUpper);
    if (word == Mapped(word, cp1250::ToLower)) return Mapped(correction, cp1250::ToLower);
    if (word == FirstCapital(word)) return FirstCapital(correction);
    return std::string(correction);
}

}  // namespace autocorrect

TKrqAutoCorrect::TKrqAutoCorrect() = default;

TKrqAutoCorrect::~TKrqAutoCorrect() { SetEditor(nullptr); }

void TKrqAutoCorrect::LoadItemsFromFile() { items_ = LoadCorrectList(); }

void TKrqAutoCorrect::ConfigureAsMainWindow() {
    sepChar_ = kKrqMainWindowSepChar;
    options_ = kKrqMainWindowAutoCorrectOptions;
    enabled_ = true;
}

void TKrqAutoCorrect::SetEditor(TKrqEditModel* editor) {
    if (editor == editor_) return;
    if (editor_) editor_->RemoveCommandHook(hookId_);
    editor_ = editor;
    hookId_ = 0;
    if (editor_) {
        hookId_ =
            editor_->AddCommandHook([this](bool after, bool& handled, TKrqEditorCommand& command,
                                           char& ch) { OnCommand(after, handled, command, ch); });
    }
}

void TKrqAutoCorrect::OnCommand(bool after, bool handled, int command, char ch) {
    if (after || handled || !enabled_ || !editor_) return;
    bool trigger = command == ecLineBreak || command == ecTab ||
                   (command == ecChar && !autocorrect::IsWordChar(static_cast<uint8_t>(ch)));
    if (trigger) CorrectWordBeforeCaret();
}

bool TKrqAutoCorrect::CorrectWordBeforeCaret() {
    if (!editor_) return false;
    TKrqEditModel& m = *editor_;
    // With a selection the typed character replaces it: the user is not finishing the word
    // before the caret, and selecting that word would throw the user's selection away.
    if (m.SelAvail()) return false;
    TBufferCoord caret = m.CaretXY();
    const TKrqEditStringList& lines = m.Lines();
    std::string_view line =
        caret.Line >= 1 && caret.Line <= lines.Count() ? lines[caret.Line - 1] : "";
    std::string_view word = autocorrect::WordBeforeCaret(line, caret.Char);
    std::string correction;
    if (!autocorrect::FindCorrection(items_, sepChar_, options_, word, correction)) return false;
    int length = static_cast<int>(word.size());
    m.SetSelection({caret.Char - length, caret.Line}, caret);
    m.SetSelectedText(correction);
    return true;
}

void TKrqAutoCorrect::MouseDown() {
    if (enabled_ && (options_ & ascoCorrectOnMouseDown)) CorrectWordBeforeCaret();
}

}  // namespace krq

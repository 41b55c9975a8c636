// Word completion: opening, the keys of the open list, and the completion itself.
#include "editor/companions/TKrqCompletionProposal.h"

#include <algorithm>

#include "editor/commands/KrqEditCommands.h"
#include "editor/companions/unWordLists.h"
#include "editor/model/TKrqEditModel.h"

namespace krq {

namespace completion {

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Contains(std::string_view set, char c) { return set.find(c) != std::string_view::npos; }

}  // namespace

int PrefixStart(std::string_view line, int caretColumn, std::string_view endOfToken) {
    if (caretColumn < 1) return 1;
    size_t end = static_cast<size_t>(caretColumn - 1);
    if (end > line.size()) return caretColumn;
    size_t begin = end;
    while (begin > 0 && static_cast<uint8_t>(line[begin - 1]) > 32 &&
           !Contains(endOfToken, line[begin - 1])) {
        --begin;
    }
    return static_cast<int>(begin) + 1;
}

int MatchRow(const std::vector<std::string>& words, std::string_view prefix, bool caseSensitive) {
    if (words.empty()) return -1;
    if (prefix.empty()) return 0;
    auto same = [caseSensitive](char a, char b) {
        return a == b || (!caseSensitive && AsciiLower(a) == AsciiLower(b));
    };
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), w.begin(), same))
            return static_cast<int>(i);
    }
    return 0;
}

TKrqScreenPoint PlaceList(TKrqScreenPoint caret, int lineHeight, int listWidth, int listHeight,
                          const TKrqScreenRect& workArea) {
    TKrqScreenPoint p{caret.X, caret.Y + lineHeight};
    if (p.X + listWidth > workArea.Left + workArea.Width)
        p.X = std::max(p.X - listWidth, workArea.Left);
    if (p.Y + listHeight > workArea.Top + workArea.Height)
        p.Y = std::max(caret.Y - listHeight - 2, workArea.Top);
    return p;
}

}  // namespace completion

namespace {

bool Contains(std::string_view set, char c) { return set.find(c) != std::string_view::npos; }

// Backspace, Tab, Enter and Escape also arrive as characters after their keys were handled.
bool IsKeyCharacter(uint8_t c) { return c == 8 || c == 9 || c == 13 || c == 27; }

}  // namespace

TKrqCompletionProposal::TKrqCompletionProposal() = default;

TKrqCompletionProposal::~TKrqCompletionProposal() {
    // The widget behind the notifications may already be gone.
    OnShow = nullptr;
    OnHide = nullptr;
    OnSelectionChanged = nullptr;
    SetEditor(nullptr);
}

void TKrqCompletionProposal::LoadItemListFromFile() { items_ = LoadProposalList(); }

void TKrqCompletionProposal::SetShortCut(int key, TShiftState shift) {
    shortCutKey_ = key;
    shortCutShift_ = shift;
}

void TKrqCompletionProposal::SetEditor(TKrqEditModel* editor) {
    if (editor == editor_) return;
    Close();
    swallowNextChar_ = false;
    if (editor_) {
        editor_->RemoveKeyHook(keyDownHook_);
        editor_->RemoveKeyHook(keyPressHook_);
    }
    editor_ = editor;
    keyDownHook_ = keyPressHook_ = 0;
    if (editor_) {
        keyDownHook_ = editor_->AddKeyDownHook(
            [this](int key, TShiftState shift) { return OnKeyDown(key, shift); });
        keyPressHook_ = editor_->AddKeyPressHook([this](char& ch) { return OnKeyPress(ch); });
    }
}

std::string_view TKrqCompletionProposal::CaretLineText() const {
    const TKrqEditStringList& lines = editor_->Lines();
    int line = editor_->CaretLine();
    return line >= 1 && line <= lines.Count() ? lines[line - 1] : std::string_view();
}

std::string TKrqCompletionProposal::Prefix() const {
    if (!open_ || !editor_) return {};
    std::string_view line = CaretLineText();
    size_t begin = static_cast<size_t>(startColumn_ - 1);
    size_t end =
        std::min(static_cast<size_t>(std::max(editor_->CaretColumn() - 1, 0)), line.size());
    return begin < end ? std::string(line.substr(begin, end - begin)) : std::string();
}

void TKrqCompletionProposal::Activate() {
    if (!editor_) return;
    Close();
    OpenAt(completion::PrefixStart(CaretLineText(), editor_->CaretColumn(), endOfToken_));
}

void TKrqCompletionProposal::OpenAt(int startColumn) {
    if (items_.empty()) return;
    rows_ = items_;
    startColumn_ = startColumn;
    startLine_ = editor_->CaretLine();
    open_ = true;
    selected_ = completion::MatchRow(rows_, Prefix(), options_ & scoCaseSensitive);
    if (OnShow) OnShow();
}

void TKrqCompletionProposal::Close() {
    if (!open_) return;
    open_ = false;
    rows_.clear();
    selected_ = -1;
    if (OnHide) OnHide();
}

void TKrqCompletionProposal::Select(int row) {
    if (!open_ || rows_.empty()) return;
    row = std::clamp(row, 0, static_cast<int>(rows_.size()) - 1);
    if (row == selected_) return;
    selected_ = row;
    if (OnSelectionChanged) OnSelectionChanged();
}

bool TKrqCompletionProposal::CaretStillInPrefix() {
    if (!open_) return false;
    // The prefix always reaches back exactly to the start column; when it does not, the caret
    // was moved by something other than the list (a click, a command of the widget).
    if (editor_ && editor_->CaretLine() == startLine_ && editor_->CaretColumn() >= startColumn_ &&
        completion::PrefixStart(CaretLineText(), editor_->CaretColumn(), endOfToken_) ==
            startColumn_) {
        return true;
    }
    Close();
    return false;
}

void TKrqCompletionProposal::Reselect() {
    if (CaretStillInPrefix())
        Select(completion::MatchRow(rows_, Prefix(), options_ & scoCaseSensitive));
}

void TKrqCompletionProposal::RowClick(int row) {
    if (open_ && row >= 0 && row < static_cast<int>(rows_.size())) Select(row);
}

void TKrqCompletionProposal::RowDoubleClick(int row) {
    if (!open_ || row < 0 || row >= static_cast<int>(rows_.size())) return;
    Select(row);
    Complete(TSpan::ToWordEnd);
}

void TKrqCompletionProposal::FocusLost() { Close(); }

void TKrqCompletionProposal::Complete(TSpan span) {
    if (!open_ || !editor_) return;
    TKrqEditModel& m = *editor_;
    bool haveWord = selected_ >= 0 && selected_ < static_cast<int>(rows_.size());
    std::string word = haveWord ? rows_[selected_] : std::string();
    int begin = startColumn_;
    Close();
    if (!haveWord) return;

    std::string_view line = CaretLineText();
    TBufferCoord caret = m.CaretXY();
    int end = caret.Char;
    if (span == TSpan::ToWordEnd) {
        while (end - 1 < static_cast<int>(line.size()) &&
               m.IsWordChar(static_cast<uint8_t>(line[end - 1]))) {
            ++end;
        }
    }
    size_t from = std::min(static_cast<size_t>(begin - 1), line.size());
    size_t to = std::min(static_cast<size_t>(end - 1), line.size());
    if (line.substr(from, to - from) != word) {
        m.SetSelection({begin, caret.Line}, {end, caret.Line});
        m.SetSelectedText(word);
    } else {
        m.SetCaretXY({end, caret.Line});
    }
}

bool TKrqCompletionProposal::OnKeyDown(int key, TShiftState shift) {
    swallowNextChar_ = false;
    bool isShortCut = key == shortCutKey_ && shift == shortCutShift_;
    if (!CaretStillInPrefix()) {
        if (!isShortCut) return false;
        Activate();
        swallowNextChar_ = true;
        return true;
    }
    if (isShortCut) {
        swallowNextChar_ = true;
        return true;
    }

    TKrqEditModel& m = *editor_;
    bool ctrlOrAlt = (shift & (ssCtrl | ssAlt)) != 0;
    int last = static_cast<int>(rows_.size()) - 1;
    switch (key) {
        case vkUp:
            Select((shift & ssCtrl) ? 0 : selected_ - 1);
            return true;
        case vkDown:
            Select((shift & ssCtrl) ? last : selected_ + 1);
            return true;
        case vkHome:
            Select(0);
            return true;
        case vkEnd:
            Select(last);
            return true;
        case vkPrior:
            Select(selected_ - linesInWindow_);
            return true;
        case vkNext:
            Select(selected_ + linesInWindow_);
            return true;
        case vkReturn:
            if (options_ & scoCompleteWithEnter) {
                Complete(TSpan::ToWordEnd);
            } else {
                Close();
            }
            return true;
        case vkTab:
            if (options_ & scoCompleteWithTab) {
                Complete(TSpan::ToWordEnd);
            } else {
                Close();
            }
            return true;
        case vkEscape:
            Close();
            return true;
        case vkBack:
        case vkLeft: {
            if (ctrlOrAlt) return true;
            bool emptyPrefix = m.CaretColumn() <= startColumn_;
            m.ExecuteCommand(key == vkBack ? ecDeleteLastChar : ecLeft);
            if (emptyPrefix) {
                Close();
            } else {
                Reselect();
            }
            return true;
        }
        case vkRight: {
            if (ctrlOrAlt) return true;
            std::string_view line = CaretLineText();
            size_t at = static_cast<size_t>(m.CaretColumn() - 1);
            bool ends = at >= line.size() || line[at] == ' ' || line[at] == '\t' ||
                        Contains(endOfToken_, line[at]);
            m.ExecuteCommand(ecRight);
            if (ends) {
                Close();
            } else {
                Reselect();
            }
            return true;
        }
        case vkDelete:
            if (ctrlOrAlt) return true;
            m.ExecuteCommand(ecDeleteChar);
            Reselect();
            return true;
        default:
            // The list has the focus: the control's own shortcuts rest while it is open, and
            // keys without one arrive as characters through OnKeyPress.
            return TranslateKey(key, shift) != ecNone;
    }
}

bool TKrqCompletionProposal::OnKeyPress(char ch) {
    if (swallowNextChar_) {
        swallowNextChar_ = false;
        return true;
    }
    if (!CaretStillInPrefix()) return false;
    uint8_t b = static_cast<uint8_t>(ch);
    if (IsKeyCharacter(b)) return true;
    TKrqEditModel& m = *editor_;
    if (b >= 32 && Contains(endOfToken_, ch)) {
        if (options_ & scoEndCharCompletion) {
            Complete(ch == ' ' ? TSpan::ToWordEnd : TSpan::ToCaret);
        } else {
            Close();
        }
        m.ExecuteCommand(ecChar, ch);
        // The next word starts right here, so the list comes back with an empty prefix.
        if (Contains(triggerChars_, ch) && editor_ == &m) {
            Close();
            OpenAt(m.CaretColumn());
        }
        return true;
    }
    if (b >= 32 && b <= 122) {
        m.ExecuteCommand(ecChar, ch);
        Reselect();
        return true;
    }
    // Accented letters and other characters end the completion and are typed as usual.
    Close();
    return false;
}

}  // namespace krq

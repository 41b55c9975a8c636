// State the command layer keeps inside the model (hooks, clipboard, remembered column) and the
// helpers its source files share.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/model/TKrqEditModel.h"

namespace krq {

// Hooks live behind shared pointers so a hook may remove itself, or another one, while the
// list is being walked: the walk keeps its own copy and skips entries marked dead.
template <class Fn>
struct TKrqHookList {
    struct Entry {
        int id = 0;
        Fn fn;
        bool alive = true;
    };
    std::vector<std::shared_ptr<Entry>> entries;

    void Add(int id, Fn fn) {
        auto e = std::make_shared<Entry>();
        e->id = id;
        e->fn = std::move(fn);
        entries.push_back(std::move(e));
    }
    bool Remove(int id) {
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if ((*it)->id == id) {
                (*it)->alive = false;
                entries.erase(it);
                return true;
            }
        }
        return false;
    }
};

struct TKrqCommandState {
    TKrqClipboard* clipboard = nullptr;

    TKrqHookList<TKrqEditModel::TCommandHook> commandHooks;
    TKrqHookList<TKrqEditModel::TKeyDownHook> keyDownHooks;
    TKrqHookList<TKrqEditModel::TKeyPressHook> keyPressHooks;
    int nextHookId = 1;

    // The column Up and Down aim for, valid while the caret still stands where the last
    // vertical move left it.
    int keptX = 0;
    TBufferCoord keptAt{0, 0};
    // With wrapped rows the aim is the x on the row instead of a column.
    double keptRowX = 0;
    bool keptInRows = false;

    // The view's rows, when it has told them.
    TKrqRowMap* rows = nullptr;
    bool Wrapping() const { return rows && rows->Wrapping(); }
};

namespace editcmd {

// The text of a line (1-based), or "" for a line the text does not have.
inline std::string_view LineText(const TKrqEditModel& m, int line) {
    const TKrqEditStringList& lines = m.Lines();
    return line >= 1 && line <= lines.Count() ? lines[line - 1] : std::string_view();
}
// An empty document still shows one line for the caret to stand on.
inline int LineCount(const TKrqEditModel& m) {
    int n = m.Lines().Count();
    return n > 0 ? n : 1;
}
inline int LineLength(const TKrqEditModel& m, int line) {
    const TKrqEditStringList& lines = m.Lines();
    return line >= 1 && line <= lines.Count() ? static_cast<int>(lines.Length(line - 1)) : 0;
}
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
// The spaces and tabs a line (1-based) starts with, looking at no more than its first `limit`
// bytes and never reading the rest of a long line.
inline std::string LeadingBlanksOf(const TKrqEditModel& m, int line, size_t limit = SIZE_MAX) {
    const TKrqEditStringList& lines = m.Lines();
    if (line < 1 || line > lines.Count()) return {};
    const TKrqLineText text = lines.Line(line - 1);
    limit = std::min(limit, text.size());
    std::string out;
    for (size_t at = 0; at < limit;) {
        std::string_view run = text.RunAt(at).substr(0, limit - at);
        size_t k = 0;
        while (k < run.size() && IsBlank(run[k])) ++k;
        out.append(run.substr(0, k));
        if (k < run.size()) break;
        at += run.size();
    }
    return out;
}

// Scrolls the view the least needed to show the caret line (its row, while the view wraps).
void EnsureCaretVisible(TKrqEditModel& m, TKrqCommandState& st);

// Each returns false when the command is not one of its family.
bool RunCaretCommand(TKrqEditModel& m, TKrqCommandState& st, TKrqEditorCommand cmd);
bool RunEditCommand(TKrqEditModel& m, TKrqCommandState& st, TKrqEditorCommand cmd, char ch);
bool RunBlockCommand(TKrqEditModel& m, TKrqCommandState& st, TKrqEditorCommand cmd);

}  // namespace editcmd

}  // namespace krq

// A model with text set from UTF-8 lines, and key helpers, for the command layer's tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/model/TKrqEditModel.h"
#include "platform/cp1250.h"

namespace krq::test {

class EditFixture : public ::testing::Test {
  protected:
    TKrqEditModel m;

    // Replaces the text by these lines (UTF-8) without recording an undo step.
    void SetText(const std::vector<std::string>& lines) {
        std::string bytes;
        for (const std::string& l : lines) bytes += cp1250::FromUtf8(l) + "\r\n";
        m.Lines().LoadFromBytes(bytes);
        m.SetCaretXY({1, 1});
    }
    std::vector<std::string> Text() const {
        std::vector<std::string> out;
        for (int i = 0; i < m.Lines().Count(); ++i) out.push_back(cp1250::ToUtf8(m.Lines()[i]));
        return out;
    }
    void Caret(int col, int line) { m.SetCaretXY({col, line}); }
    TBufferCoord At(int col, int line) const { return {col, line}; }
    void Key(int key, TShiftState shift = 0) { m.KeyDown(key, shift); }
    void Type(const std::string& utf8) {
        for (char c : cp1250::FromUtf8(utf8)) m.KeyPress(c);
    }
};

}  // namespace krq::test

namespace krq {
// Failure messages show positions as (column,line).
inline std::ostream& operator<<(std::ostream& os, const TBufferCoord& p) {
    return os << "(" << p.Char << "," << p.Line << ")";
}
}  // namespace krq

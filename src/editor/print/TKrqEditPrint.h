// Printing a document's lines on the default printer, or into a PDF file with the same layout.
#pragma once

#include <QFont>
#include <QPrinterInfo>
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/layout/TKrqLineLayout.h"

class QFontMetricsF;
class QPrinter;

namespace krq {

class TKrqEditStringList;

// The page layout in millimetres. The header and footer bands hold no text; they lie inside
// the top and bottom margins (the text starts `Top` below the sheet's top edge), so their
// size and indents change nothing printed and are kept only as the declared layout.
struct TKrqPrintLayout {
    double Left = 25;
    double Right = 15;
    double Top = 25;
    double Bottom = 25;
    double Header = 15;
    double Footer = 15;
    double LeftHFTextIndent = 2;
    double RightHFTextIndent = 2;
    double HFInternalMargin = 0.5;
    bool MirrorMargins = false;
};

namespace print {

// Tabs become spaces up to the next multiple of `tabWidth` columns (one byte, one column).
std::string ExpandTabs(std::string_view line, int tabWidth);

// Where each printed row of a line (tabs already expanded) starts and ends, as byte offsets.
using TRowSpan = TKrqLineLayout::TRowSpan;

// The paper's wrap rules: the line layout's wrap with the breaking blank left unprinted.
inline constexpr TKrqLineLayout::TWrapRules kPrintWrap{.DropBreakBlank = true};

// The line layout of the printed page for a font given by the width of each byte.
TKrqLineLayout PageLayout(const std::array<double, 256>& advance);

// Breaks a line into rows no wider than `width`, where `advance` is the width of each byte.
// A row ends at the last blank that still fits, which is not printed; a run without a blank
// is cut where it no longer fits. Every row holds at least one byte, so a glyph wider than
// the page still moves on. An empty line is one empty row.
std::vector<TRowSpan> WrapLine(std::string_view line, const std::array<double, 256>& advance,
                               double width);

// The advance of every Windows-1250 byte in the given metrics.
std::array<double, 256> ByteAdvances(const QFontMetricsF& metrics);

// The printed text of a span: the bytes through the Windows-1250 table.
QString ToPrintedText(std::string_view bytes);

}  // namespace print

// Prints its own copy of the lines, never the editor's: the caller fills Lines and prints.
// White paper, no colouring, no line numbers, nothing in the header or footer.
class TKrqEditPrint {
  public:
    TKrqEditPrint();

    std::vector<std::string>& Lines() { return lines_; }
    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(std::vector<std::string> lines) { lines_ = std::move(lines); }
    void SetLines(const TKrqEditStringList& lines);
    // From a text whose lines end in CR LF, LF or CR (the editor's LinesText); a final line
    // break does not start another line.
    void SetLinesText(std::string_view text);

    const TKrqPrintLayout& Layout() const { return layout_; }
    int TabWidth() const { return 8; }
    // The print font: "MS Sans Serif" at 8 points, or the system's interface font at 8 points
    // where that family is missing. It never follows the editor's font.
    static QFont DefaultFont();
    const QFont& Font() const { return font_; }

    // Prints every page on the default printer, one copy, with no dialog and an empty job
    // title. Throws EKrqError when there is no default printer; it never picks another one.
    void PrintDocument();
    // The same pages into a PDF file on A4 paper; returns the number of pages.
    int PrintToPdf(const QString& path);

    // Stands in for the system's default printer, so tests never reach a real one.
    std::function<QPrinterInfo()> DefaultPrinter = [] { return QPrinterInfo::defaultPrinter(); };
    // When set, PrintDocument writes its pages into this PDF file instead, with the same
    // layout: what would be printed can be checked on a machine without a printer.
    QString PdfStandIn;

  private:
    void Configure(QPrinter& printer) const;
    int Print(QPrinter& printer, const QString& target) const;

    std::vector<std::string> lines_;
    TKrqPrintLayout layout_;
    QFont font_;
};

}  // namespace krq

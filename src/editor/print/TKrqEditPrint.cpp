// Printing a document's lines: the page layout, the wrap of long lines and the print job.
#include "editor/print/TKrqEditPrint.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "editor/layout/TKrqTabStops.h"
#include "editor/model/TKrqEditStringList.h"
#include "platform/cp1250.h"
#include "platform/errors.h"

namespace krq {

namespace print {

std::string ExpandTabs(std::string_view line, int tabWidth) {
    return krq::ExpandTabs(line, tabWidth);
}

TKrqLineLayout PageLayout(const std::array<double, 256>& advance) {
    TKrqLineLayout layout;
    // Every glyph is measured as it is printed, even in a font of one pitch.
    layout.SetAdvances(advance, false);
    return layout;
}

std::vector<TRowSpan> WrapLine(std::string_view line, const std::array<double, 256>& advance,
                               double width) {
    return PageLayout(advance).Wrap(line, width, kPrintWrap);
}

std::array<double, 256> ByteAdvances(const QFontMetricsF& metrics) {
    std::array<double, 256> advance{};
    for (int b = 0; b < 256; ++b) {
        advance[b] = metrics.horizontalAdvance(QChar(cp1250::ToUnicode(static_cast<uint8_t>(b))));
    }
    return advance;
}

QString ToPrintedText(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (char c : bytes) *out++ = QChar(cp1250::ToUnicode(static_cast<uint8_t>(c)));
    return text;
}

}  // namespace print

namespace {

double MmToDevice(double mm, int dpi) { return mm * dpi / 25.4; }

}  // namespace

TKrqEditPrint::TKrqEditPrint() : font_(DefaultFont()) {}

void TKrqEditPrint::SetLines(const TKrqEditStringList& lines) {
    lines_.clear();
    lines_.reserve(static_cast<size_t>(lines.Count()));
    for (int i = 0; i < lines.Count(); ++i) lines_.emplace_back(lines[i]);
}

void TKrqEditPrint::SetLinesText(std::string_view text) {
    lines_.clear();
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) {
            lines_.emplace_back(text.substr(begin));
            break;
        }
        lines_.emplace_back(text.substr(begin, end - begin));
        begin =
            end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
}

QFont TKrqEditPrint::DefaultFont() {
    QFont font("MS Sans Serif");
    if (!QFontDatabase::hasFamily(font.family())) {
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        // The offscreen and minimal platforms name a generic family that may not resolve.
        if (!QFontDatabase::hasFamily(font.family())) font = QFont("DejaVu Sans");
    }
    font.setPointSizeF(8);
    font.setBold(false);
    font.setItalic(false);
    // Rows are measured byte by byte; without kerning the drawn width is that sum.
    font.setKerning(false);
    return font;
}

void TKrqEditPrint::PrintDocument() {
    if (!PdfStandIn.isEmpty()) {
        PrintToPdf(PdfStandIn);
        return;
    }
    QPrinterInfo info = DefaultPrinter ? DefaultPrinter() : QPrinterInfo();
    if (info.isNull()) throw EKrqError("There is no default printer currently selected");
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::NativeFormat);
    Configure(printer);
    Print(printer, info.printerName());
}

int TKrqEditPrint::PrintToPdf(const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    Configure(printer);
    return Print(printer, path);
}

void TKrqEditPrint::Configure(QPrinter& printer) const {
    printer.setCopyCount(1);
    printer.setCollateCopies(false);
    printer.setDocName(QString());
    printer.setCreator(QString());
    // Painter coordinates start at the sheet's edge, so the margins are measured from there.
    printer.setFullPage(true);
}

int TKrqEditPrint::Print(QPrinter& printer, const QString& target) const {
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (printer.outputFormat() == QPrinter::PdfFormat) RaiseCannotCreate(target.toStdString());
        throw EKrqError(FormatMessage("Cannot print on %s", target.toStdString()));
    }
    painter.setFont(font_);
    const int dpi = printer.resolution();
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF text(paper.left() + MmToDevice(layout_.Left, dpi),
                      paper.top() + MmToDevice(layout_.Top, dpi),
                      paper.width() - MmToDevice(layout_.Left + layout_.Right, dpi),
                      paper.height() - MmToDevice(layout_.Top + layout_.Bottom, dpi));
    const QFontMetricsF metrics(font_, &printer);
    const TKrqLineLayout page = print::PageLayout(print::ByteAdvances(metrics));
    const double lineHeight = metrics.lineSpacing();
    const int rowsPerPage = std::max(1, static_cast<int>(std::floor(text.height() / lineHeight)));

    int pages = 1;
    int row = 0;
    auto startPage = [&] { painter.fillRect(paper, Qt::white); };
    startPage();
    painter.setPen(Qt::black);
    for (const std::string& raw : lines_) {
        const std::string line = print::ExpandTabs(raw, TabWidth());
        for (const print::TRowSpan& span : page.Wrap(line, text.width(), print::kPrintWrap)) {
            if (row == rowsPerPage) {
                if (!printer.newPage()) {
                    painter.end();
                    throw EKrqError(FormatMessage("Cannot print on %s", target.toStdString()));
                }
                ++pages;
                row = 0;
                startPage();
            }
            if (span.End > span.Begin) {
                const QPointF baseline(text.left(),
                                       text.top() + row * lineHeight + metrics.ascent());
                painter.drawText(baseline, print::ToPrintedText(std::string_view(line).substr(
                                               span.Begin, span.End - span.Begin)));
            }
            ++row;
        }
    }
    painter.end();
    return pages;
}

}  // namespace krq

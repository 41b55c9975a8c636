// The page "Markery": the chosen attribute of the chosen highlighter, edited in place, so the
// editor shows each change at once; OK stores the scheme, Anuluj leaves it in memory.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>

#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/programdir.h"
#include "settings/TKrqColorSwatch.h"
#include "settings/frMarkers.h"
#include "settings/frOptions.h"
#include "settings/unColorScheme.h"

namespace krq {

namespace {

constexpr int32_t kWhite = 0xFFFFFF;

}  // namespace

TKrqHighlighter* TfrmOptions::ChosenHighlighter() {
    const int index = cbxMark->currentIndex();
    TfrmMarkers& markers = host_.Markers();
    return index >= 0 && index < markers.Count() ? &markers.Highlighter(index) : nullptr;
}

int TfrmOptions::ChosenAttribute() const { return lsbMarkAtributes->currentRow(); }

void TfrmOptions::SetChosenAttribute(int32_t foreground, int32_t background, int style) {
    TKrqHighlighter* highlighter = ChosenHighlighter();
    const int index = ChosenAttribute();
    if (!highlighter || index < 0 || index >= static_cast<int>(highlighter->Attributes().size()))
        return;
    highlighter->SetAttribute(index, foreground, background, style);
}

void TfrmOptions::cbxMarkSelect() {
    TKrqHighlighter* highlighter = ChosenHighlighter();
    fillingMarkers_ = true;
    lsbMarkAtributes->clear();
    if (highlighter)
        for (const TKrqHighlighterAttribute& attribute : highlighter->Attributes())
            lsbMarkAtributes->addItem(QString::fromStdString(attribute.Name));
    if (lsbMarkAtributes->count() > 0) lsbMarkAtributes->setCurrentRow(0);
    fillingMarkers_ = false;
    lsbMarkAtributesClick();
}

void TfrmOptions::ShowMarkColor(int32_t value, QCheckBox* none, TKrqColorSwatch* swatch) {
    const bool noColor = value == kNoColorValue;
    none->setChecked(noColor);
    swatch->SetValue(noColor ? kWhite : value);
    swatch->setVisible(!noColor);
}

void TfrmOptions::lsbMarkAtributesClick() {
    TKrqHighlighter* highlighter = ChosenHighlighter();
    const int index = ChosenAttribute();
    if (!highlighter || index < 0 || index >= static_cast<int>(highlighter->Attributes().size()))
        return;
    const TKrqHighlighterAttribute& attribute =
        highlighter->Attributes()[static_cast<size_t>(index)];
    ShowMarkColor(attribute.Foreground, ckbFrgNone, shp_MarkF);
    ShowMarkColor(attribute.Background, ckbBckNone, shp_MarkB);
    for (QCheckBox* box : {ckbMarkBold, ckbMarkItalic, ckbMarkUnderline, ckbMarkStrike})
        box->setChecked((attribute.Style & StyleBit(box)) != 0);
}

void TfrmOptions::PickMarkColor(TKrqColorSwatch* swatch, bool foreground) {
    TKrqHighlighter* highlighter = ChosenHighlighter();
    const int index = ChosenAttribute();
    if (!highlighter || index < 0) return;
    std::optional<QColor> chosen = Dialogs().ChooseColor(this, dlgColor);
    if (!chosen) return;
    dlgColor = *chosen;
    const int32_t value = ValueFromColor(*chosen);
    swatch->SetValue(value);
    const TKrqHighlighterAttribute a = highlighter->Attributes()[static_cast<size_t>(index)];
    SetChosenAttribute(foreground ? value : a.Foreground, foreground ? a.Background : value,
                       a.Style);
}

void TfrmOptions::shp_MarkFContextPopup() { PickMarkColor(shp_MarkF, true); }
void TfrmOptions::shp_MarkBContextPopup() { PickMarkColor(shp_MarkB, false); }

void TfrmOptions::NoneBoxMouseUp(QCheckBox* box, TKrqColorSwatch* swatch, bool foreground) {
    TKrqHighlighter* highlighter = ChosenHighlighter();
    const int index = ChosenAttribute();
    if (!highlighter || index < 0) return;
    int32_t value = kNoColorValue;
    if (box->isChecked()) {
        swatch->hide();
    } else {
        value = kWhite;
        swatch->SetValue(kWhite);
        swatch->show();
    }
    const TKrqHighlighterAttribute a = highlighter->Attributes()[static_cast<size_t>(index)];
    SetChosenAttribute(foreground ? value : a.Foreground, foreground ? a.Background : value,
                       a.Style);
}

void TfrmOptions::ckbFrgNoneMouseUp() { NoneBoxMouseUp(ckbFrgNone, shp_MarkF, true); }
void TfrmOptions::ckbBckNoneMouseUp() { NoneBoxMouseUp(ckbBckNone, shp_MarkB, false); }

int TfrmOptions::StyleBit(QCheckBox* box) const {
    if (box == ckbMarkBold) return fsBold;
    if (box == ckbMarkItalic) return fsItalic;
    if (box == ckbMarkUnderline) return fsUnderline;
    if (box == ckbMarkStrike) return fsStrikeOut;
    return 0;
}

void TfrmOptions::prcAddStyle(QCheckBox* box) {
    TKrqHighlighter* highlighter = ChosenHighlighter();
    const int index = ChosenAttribute();
    if (!highlighter || index < 0) return;
    const TKrqHighlighterAttribute a = highlighter->Attributes()[static_cast<size_t>(index)];
    SetChosenAttribute(a.Foreground, a.Background, a.Style | StyleBit(box));
}

void TfrmOptions::prcRemoveStyle(QCheckBox* box) {
    TKrqHighlighter* highlighter = ChosenHighlighter();
    const int index = ChosenAttribute();
    if (!highlighter || index < 0) return;
    const TKrqHighlighterAttribute a = highlighter->Attributes()[static_cast<size_t>(index)];
    SetChosenAttribute(a.Foreground, a.Background, a.Style & ~StyleBit(box));
}

void TfrmOptions::StyleBoxMouseUp(QCheckBox* box) {
    if (box->isChecked())
        prcAddStyle(box);
    else
        prcRemoveStyle(box);
}

void TfrmOptions::ckbMarkBoldMouseUp() { StyleBoxMouseUp(ckbMarkBold); }
void TfrmOptions::ckbMarkItalicMouseUp() { StyleBoxMouseUp(ckbMarkItalic); }
void TfrmOptions::ckbMarkUnderlineMouseUp() { StyleBoxMouseUp(ckbMarkUnderline); }
void TfrmOptions::ckbMarkStrikeMouseUp() { StyleBoxMouseUp(ckbMarkStrike); }

void TfrmOptions::btnMarkResetClick() {
    if (Dialogs().Message(this, "Kwerdel RQ",
                          QString::fromUtf8("Czy na pewno resetować wszystkie kolorowania?"),
                          TMsgButtons::YesNo, TMsgIcon::Warning) != TMsgResult::Yes)
        return;
    TfrmMarkers& markers = host_.Markers();
    for (int i = 0; i < markers.Count(); ++i) {
        TKrqHighlighter& highlighter = markers.Highlighter(i);
        for (size_t a = 0; a < highlighter.Attributes().size(); ++a)
            highlighter.SetAttribute(static_cast<int>(a), kNoColorValue, kNoColorValue, 0);
    }
    // The page shows the attribute as it now is, so its boxes never contradict it.
    lsbMarkAtributesClick();
}

void TfrmOptions::btnMarkStandardClick() {
    if (Dialogs().Message(this, "Kwerdel RQ",
                          QString::fromUtf8("Czy na pewno załadować standardowe kolorowanie?"),
                          TMsgButtons::YesNo, TMsgIcon::Warning) != TMsgResult::Yes)
        return;
    LoadColorScheme(host_.Markers(), ProgramFile("data/stdcode.ini"));
    lsbMarkAtributesClick();
}

}  // namespace krq

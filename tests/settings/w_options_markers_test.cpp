// The page "Markery": the highlighters edited in place, shown in the editor at once, stored by
// OK, kept in memory by Anuluj until the next scheme load.
#include <QImage>

#include "settings/OptionsFixture.h"
#include "settings/frMarkers.h"
#include "settings/unColorScheme.h"

namespace krq::test {
namespace {

class OptionsMarkersTest : public OptionsTest {
  protected:
    // A window showing an HTML document with the HTML highlighter on it.
    TfrmMain& WithHtml(const std::string& scheme) {
        WriteFile(Path("marks.ini"), scheme);
        TfrmMain& w = Create();
        w.resize(800, 500);
        w.show();
        OpenFile("page.htm", "<b>tekst</b>\r\n");
        return w;
    }
    TKrqHighlighter& Html() { return *frm->Markers().FindByLanguage("Dokument HTML"); }
    const TKrqHighlighterAttribute& Attribute(const char* name) {
        for (const auto& a : Html().Attributes())
            if (a.Name == name) return a;
        ADD_FAILURE() << name;
        return Html().Attributes().front();
    }
    static void ChooseAttribute(TfrmOptions& w, const char* name) {
        auto found = w.lsbMarkAtributes->findItems(Utf(name), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        w.lsbMarkAtributes->setCurrentItem(found.front());
    }
    QImage Screen() const { return frm->mncKrqEdit->viewport()->grab().toImage(); }
    static int Count(const QImage& image, QRgb colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour ? 1 : 0;
        return n;
    }
};

const char kScheme[] =
    "[hgr_Html]\r\nKomentarz_F=255\r\nKomentarz_S=2\r\nTekst_B=32768\r\n"
    "[hgr_Cpp]\r\nKomentarz_F=255\r\n";

TEST_F(OptionsMarkersTest, ListsTheCatalogueAndShowsTheChosenAttribute) {
    WithHtml(kScheme);
    Options([](TfrmOptions& w) {
        ASSERT_EQ(w.cbxMark->count(), 17);
        EXPECT_EQ(w.cbxMark->itemText(0), Utf("Dokument HTML"));
        EXPECT_EQ(w.cbxMark->itemText(16), Utf("Inno Setup"));
        EXPECT_EQ(w.cbxMark->currentIndex(), 0);
        EXPECT_FALSE(w.cbxMark->isEditable());
        ASSERT_EQ(w.lsbMarkAtributes->count(), 9);
        EXPECT_EQ(w.lsbMarkAtributes->item(0)->text(), Utf("Identyfikator"));
        EXPECT_EQ(w.lsbMarkAtributes->currentRow(), 0);
        // Identyfikator has nothing: both "brak" ticked, both swatches hidden.
        EXPECT_TRUE(w.ckbFrgNone->isChecked());
        EXPECT_TRUE(w.ckbBckNone->isChecked());
        EXPECT_TRUE(w.shp_MarkF->isHidden());
        EXPECT_TRUE(w.shp_MarkB->isHidden());
        ChooseAttribute(w, "Komentarz");
        EXPECT_FALSE(w.ckbFrgNone->isChecked());
        EXPECT_FALSE(w.shp_MarkF->isHidden());
        EXPECT_EQ(w.shp_MarkF->Value(), 255);
        EXPECT_TRUE(w.ckbMarkItalic->isChecked());
        EXPECT_FALSE(w.ckbMarkBold->isChecked());
        // Another highlighter picked by the user: its attributes, the first one shown.
        w.cbxMark->setCurrentIndex(6);
        emit w.cbxMark->activated(6);
        EXPECT_EQ(w.lsbMarkAtributes->count(), 14);
        EXPECT_EQ(w.lsbMarkAtributes->item(0)->text(), "Assembler");
        EXPECT_EQ(w.lsbMarkAtributes->currentRow(), 0);
        Cancel(w);
    });
}

TEST_F(OptionsMarkersTest, UntickingBrakGivesWhiteAtOnceAndOkStoresIt) {
    WithHtml(kScheme);
    Options([this](TfrmOptions& w) {
        ChooseAttribute(w, "Symbol");
        ASSERT_TRUE(w.ckbFrgNone->isChecked());
        MouseClick(w.ckbFrgNone);
        EXPECT_FALSE(w.ckbFrgNone->isChecked());
        EXPECT_FALSE(w.shp_MarkF->isHidden());
        EXPECT_EQ(w.shp_MarkF->Value(), 0xFFFFFF);
        EXPECT_EQ(Attribute("Symbol").Foreground, 0xFFFFFF);
        // Ticked again: no colour, the swatch hidden.
        MouseClick(w.ckbFrgNone);
        EXPECT_EQ(Attribute("Symbol").Foreground, kNoColorValue);
        EXPECT_TRUE(w.shp_MarkF->isHidden());
        // The keyboard reaches the box too.
        w.ckbBckNone->setFocus();
        KeyClick(w.ckbBckNone, Qt::Key_Space);
        EXPECT_EQ(Attribute("Symbol").Background, 0xFFFFFF);
        EXPECT_TRUE(Ok(w));
    });
    TIniFile scheme(Path("marks.ini"));
    EXPECT_EQ(scheme.ReadInteger("hgr_Html", "Symbol_B", 0), 0xFFFFFF);
    EXPECT_EQ(scheme.ReadInteger("hgr_Html", "Symbol_F", 0), kNoColorValue);
    EXPECT_EQ(scheme.ReadInteger("hgr_Html", "Komentarz_F", 0), 255);
}

TEST_F(OptionsMarkersTest, APickedBackgroundShowsInTheEditorAtOnce) {
    WithHtml("");
    const QRgb green = qRgb(0, 255, 0);
    EXPECT_EQ(Count(Screen(), green), 0);
    Options([&](TfrmOptions& w) {
        ChooseAttribute(w, "Tekst");
        MouseClick(w.ckbBckNone);
        ASSERT_FALSE(w.shp_MarkB->isHidden());
        dialogs.ColorAnswers = {QColor(green)};
        RightClick(w.shp_MarkB);
        EXPECT_EQ(dialogs.ColorInitials.back(), QColor(Qt::black));
        EXPECT_EQ(Attribute("Tekst").Background, 0x00FF00);
        EXPECT_EQ(w.shp_MarkB->Value(), 0x00FF00);
        EXPECT_GT(Count(Screen(), green), 0);
        Cancel(w);
    });
}

TEST_F(OptionsMarkersTest, StyleBoxesSetAndClearTheirBitsOnRelease) {
    WithHtml(kScheme);
    Options([this](TfrmOptions& w) {
        ChooseAttribute(w, "Komentarz");
        ASSERT_EQ(Attribute("Komentarz").Style, 2);
        MouseClick(w.ckbMarkBold);
        EXPECT_EQ(Attribute("Komentarz").Style, 3);
        w.ckbMarkUnderline->setFocus();
        KeyClick(w.ckbMarkUnderline, Qt::Key_Space);
        EXPECT_EQ(Attribute("Komentarz").Style, 7);
        MouseClick(w.ckbMarkStrike);
        EXPECT_EQ(Attribute("Komentarz").Style, 15);
        MouseClick(w.ckbMarkItalic);
        EXPECT_EQ(Attribute("Komentarz").Style, 13);
        // Showing another attribute only sets the boxes.
        ChooseAttribute(w, "Tekst");
        EXPECT_FALSE(w.ckbMarkBold->isChecked());
        EXPECT_EQ(Attribute("Tekst").Style, 0);
        EXPECT_EQ(Attribute("Komentarz").Style, 13);
        ChooseAttribute(w, "Komentarz");
        EXPECT_TRUE(w.ckbMarkBold->isChecked());
        EXPECT_FALSE(w.ckbMarkItalic->isChecked());
        EXPECT_TRUE(Ok(w));
    });
    EXPECT_EQ(TIniFile(Path("marks.ini")).ReadInteger("hgr_Html", "Komentarz_S", 0), 13);
}

TEST_F(OptionsMarkersTest, ResetAsksAndAnulujKeepsTheEditorUncolouredUntilTheNextChoice) {
    TfrmMain& main = WithHtml(kScheme);
    const QRgb green = qRgb(0, 128, 0);
    ASSERT_GT(Count(Screen(), green), 0);
    Options([&](TfrmOptions& w) {
        dialogs.MessageAnswers = {TMsgResult::No};
        w.btnMarkReset->click();
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(dialogs.Messages[0].Caption, "Kwerdel RQ");
        EXPECT_EQ(dialogs.Messages[0].Text, Utf("Czy na pewno resetować wszystkie kolorowania?"));
        EXPECT_EQ(dialogs.Messages[0].Buttons, TMsgButtons::YesNo);
        EXPECT_EQ(dialogs.Messages[0].Icon, TMsgIcon::Warning);
        EXPECT_EQ(Attribute("Tekst").Background, 32768);

        dialogs.MessageAnswers = {TMsgResult::Yes};
        ChooseAttribute(w, "Komentarz");
        w.btnMarkReset->click();
        TfrmMarkers& markers = frm->Markers();
        for (int i = 0; i < markers.Count(); ++i)
            for (const auto& a : markers.Highlighter(i).Attributes()) {
                EXPECT_EQ(a.Foreground, kNoColorValue);
                EXPECT_EQ(a.Background, kNoColorValue);
                EXPECT_EQ(a.Style, 0);
            }
        // The page shows the attribute as it now is.
        EXPECT_TRUE(w.ckbFrgNone->isChecked());
        EXPECT_FALSE(w.ckbMarkItalic->isChecked());
        EXPECT_EQ(Count(Screen(), green), 0);
        Cancel(w);
    });
    EXPECT_EQ(ReadFile(Path("marks.ini")), kScheme);
    EXPECT_EQ(Count(Screen(), green), 0);
    EXPECT_EQ(Attribute("Tekst").Background, kNoColorValue);
    // The next highlighter choice loads the stored scheme again.
    Item("mnsOptionsMarkersHtml")->trigger();
    EXPECT_EQ(Attribute("Tekst").Background, 32768);
    EXPECT_GT(Count(Screen(), green), 0);
    EXPECT_EQ(main.CheckedMarker(), Utf("Dokument HTML"));
}

TEST_F(OptionsMarkersTest, OpeningAgainDiscardsWhatAnulujLeftInMemory) {
    WithHtml(kScheme);
    Options([this](TfrmOptions& w) {
        ChooseAttribute(w, "Komentarz");
        MouseClick(w.ckbMarkBold);
        EXPECT_EQ(Attribute("Komentarz").Style, 3);
        Cancel(w);
    });
    EXPECT_EQ(Attribute("Komentarz").Style, 3);
    Options([this](TfrmOptions& w) {
        EXPECT_EQ(Attribute("Komentarz").Style, 2);
        Cancel(w);
    });
}

TEST_F(OptionsMarkersTest, KolorowanieDomyslneLoadsTheStandardScheme) {
    WithHtml(kScheme);
    WriteFile(Path("data/stdcode.ini"),
              "[hgr_Html]\r\nSymbol_F=16711680\r\n[hgr_Xml]\r\n"
              "Komentarz_S=4\r\n");
    Options([this](TfrmOptions& w) {
        dialogs.MessageAnswers = {TMsgResult::No, TMsgResult::Yes};
        w.btnMarkStandard->click();
        EXPECT_EQ(Attribute("Komentarz").Foreground, 255);
        w.btnMarkStandard->click();
        ASSERT_EQ(dialogs.Messages.size(), 2u);
        EXPECT_EQ(dialogs.Messages[1].Text, Utf("Czy na pewno załadować standardowe kolorowanie?"));
        EXPECT_EQ(Attribute("Komentarz").Foreground, kNoColorValue);
        EXPECT_EQ(Attribute("Symbol").Foreground, 16711680);
        EXPECT_TRUE(Ok(w));
    });
    TIniFile scheme(Path("marks.ini"));
    EXPECT_EQ(scheme.ReadInteger("hgr_Html", "Symbol_F", 0), 16711680);
    EXPECT_EQ(scheme.ReadInteger("hgr_Html", "Komentarz_F", 0), kNoColorValue);
    EXPECT_EQ(scheme.ReadInteger("hgr_Xml", "Komentarz_S", 0), 4);
}

}  // namespace
}  // namespace krq::test

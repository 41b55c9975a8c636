// The Kolorowanie menu, prcSetMarker and the highlighter a document gets after New, Open and
// Save as.
#include <QActionGroup>

#include "app/MainWindowFixture.h"
#include "settings/frMarkers.h"

namespace krq::test {
namespace {

class MarkersChoiceTest : public MainWindowTest {
  protected:
    // The name of the highlighter on the editor, "" for none.
    std::string OnEditor() const {
        TKrqHighlighter* h = frm->mncKrqEdit->Highlighter();
        return h ? h->Lexer().LanguageName() : "";
    }
    std::string StoredMark() const { return cp1250::ToUtf8(Ini().ReadString("code", "mark", "")); }
    void Choose(const char* item) { Item(item)->trigger(); }
    void Open(const std::string& name) { OpenFile(name, "x\r\n"); }
};

TEST_F(MarkersChoiceTest, MenuHoldsEighteenRadioItemsInItsOwnOrder) {
    TfrmMain& w = Create();
    QStringList captions;
    for (QAction* item : w.mnsOptionsMarkers->actions()) {
        if (item->isSeparator()) {
            captions << "-";
            continue;
        }
        captions << item->text();
        EXPECT_TRUE(item->isCheckable());
        EXPECT_EQ(item->actionGroup(), w.markerGroup);
    }
    EXPECT_EQ(captions.join("|"),
              Utf("Brak kolorowania|-|Dokument HTML|Kaskadowe arkusze styli|PHP|JavaScript|Java|"
                  "Pascal / Object Pascal|C++|Visual Basic|Fortran|Microsoft VBScript|"
                  "Język wsadowy MS-DOS|Perl|SQL|Assembler x86|Plik INI|Inno Setup|XML"));
    EXPECT_TRUE(w.markerGroup->isExclusive());
    // Every item of the catalogue's menu-item names sits in the menu with its language.
    for (int i = 0; i < w.Markers().Count(); ++i) {
        const TKrqLexer& lexer = w.Markers().Highlighter(i).Lexer();
        QAction* item = nullptr;
        for (QAction* a : w.mnsOptionsMarkers->actions())
            if (a->text() == Utf(lexer.LanguageName())) item = a;
        ASSERT_NE(item, nullptr) << lexer.LanguageName();
    }
}

// The start-up's first choice is the only thing that ticks an item: a stored name that matches
// nothing leaves all eighteen unticked and the editor uncoloured.
TEST_F(MarkersChoiceTest, NothingIsTickedBeforeTheFirstChoice) {
    Ini().WriteString("Edit", "automark", "0");
    Ini().WriteString("code", "mark", "Cobol");
    TfrmMain& w = Create();
    EXPECT_FALSE(w.AutoMark);
    EXPECT_EQ(w.markerGroup->checkedAction(), nullptr);
    EXPECT_EQ(OnEditor(), "");
    EXPECT_EQ(StoredMark(), "Cobol");
}

TEST_F(MarkersChoiceTest, MenuChoicePutsTheHighlighterOnWithItsSchemeAndStoresIt) {
    WriteFile(Path("marks.ini"), "[hgr_Cpp]\r\nKomentarz_F=255\r\nKomentarz_S=2\r\n");
    TfrmMain& w = Create();
    Choose("mnsOptionsMarkersCpp");
    EXPECT_EQ(OnEditor(), "C++");
    EXPECT_EQ(StoredMark(), "C++");
    EXPECT_EQ(w.CheckedMarker(), "C++");
    TKrqHighlighter* cpp = w.Markers().FindByLanguage("C++");
    EXPECT_EQ(w.mncKrqEdit->Highlighter(), cpp);
    const auto& comment = cpp->Attributes()[3];
    ASSERT_EQ(comment.Name, "Komentarz");
    EXPECT_EQ(comment.Foreground, 255);
    EXPECT_EQ(comment.Background, kNoColorValue);
    EXPECT_EQ(comment.Style, 2);

    // The scheme is read again at every choice, so an edited file shows the next time.
    WriteFile(Path("marks.ini"), "[hgr_Cpp]\r\nKomentarz_B=65280\r\n");
    Choose("mnsOptionsMarkersCpp");
    EXPECT_EQ(cpp->Attributes()[3].Foreground, kNoColorValue);
    EXPECT_EQ(cpp->Attributes()[3].Background, 65280);
    // A choice is one use of each file: krq.ini stores it, marks.ini gives its scheme.
    const uint64_t parses = TIniFile::ParseCount();
    Choose("mnsOptionsMarkersCpp");
    EXPECT_EQ(TIniFile::ParseCount() - parses, 2u);

    Choose("mnsOptionsMarkersBat");
    EXPECT_EQ(StoredMark(), "Język wsadowy MS-DOS");
    EXPECT_EQ(Ini().ReadString("code", "mark", ""), cp1250::FromUtf8("Język wsadowy MS-DOS"));
    EXPECT_EQ(w.CheckedMarker(), Utf("Język wsadowy MS-DOS"));
    EXPECT_FALSE(Item("mnsOptionsMarkersCpp")->isChecked());

    Choose("mnsOptionsMarkersNone");
    EXPECT_EQ(OnEditor(), "");
    EXPECT_EQ(StoredMark(), "nil");
    EXPECT_EQ(w.CheckedMarker(), "Brak kolorowania");
    // A caption with an accelerator marker names the same highlighter.
    Item("mnsOptionsMarkersSql")->setText("S&QL");
    Choose("mnsOptionsMarkersSql");
    EXPECT_EQ(OnEditor(), "SQL");
    EXPECT_EQ(StoredMark(), "SQL");
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(MarkersChoiceTest, NamesOfNoHighlighterChangeNothingAndWriteNothing) {
    TfrmMain& w = Create();
    Choose("mnsOptionsMarkersPerl");
    const std::string before = ReadFile(IniPath());
    for (const char* name : {"perl", "PERL", "Perl ", "", "NIL", "Nil", "brak kolorowania", "Brak",
                             "hgr_Perl", "Dokument  HTML"}) {
        w.prcSetMarker(Utf(name), true);
        EXPECT_EQ(OnEditor(), "Perl") << name;
        EXPECT_EQ(w.CheckedMarker(), "Perl") << name;
    }
    EXPECT_EQ(ReadFile(IniPath()), before);
}

TEST_F(MarkersChoiceTest, FailingWriteOfTheChoiceIsReportedAndChangesNothing) {
    WriteFile(Path("marks.ini"), "[hgr_Sql]\r\nKomentarz_F=255\r\n");
    TfrmMain& w = Create();
    Choose("mnsOptionsMarkersCpp");
    if (!MakeUnwritable(IniPath()) || !MakeUnwritable(home))
        GTEST_SKIP() << "this file system cannot refuse writes";
    Choose("mnsOptionsMarkersSql");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_TRUE(dialogs.Messages[0].Text.startsWith("Unable to write to"))
        << dialogs.Messages[0].Text.toStdString();
    EXPECT_EQ(OnEditor(), "C++");
    EXPECT_EQ(w.CheckedMarker(), "C++");
    // The scheme was not loaded either.
    EXPECT_EQ(w.Markers().FindByLanguage("SQL")->Attributes()[3].Foreground, kNoColorValue);

    Choose("mnsOptionsMarkersNone");
    EXPECT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(OnEditor(), "C++");
}

TEST_F(MarkersChoiceTest, AutomaticChoiceFollowsWholeExtensionPatterns) {
    TfrmMain& w = Create();
    ASSERT_TRUE(w.AutoMark);
    Open("index.HTML");
    EXPECT_EQ(OnEditor(), "Dokument HTML");
    // PHP and Pascal both list *.inc; the later one in the catalogue stays.
    Open("unit.inc");
    EXPECT_EQ(OnEditor(), "Pascal / Object Pascal");
    EXPECT_EQ(w.CheckedMarker(), "Pascal / Object Pascal");
    // Neither "*.css" nor "*.cgi" nor "*.cmd" is "*.c".
    Open("main.c");
    EXPECT_EQ(OnEditor(), "C++");
    Open("server.log");
    EXPECT_EQ(OnEditor(), "C++");
    Open("Makefile");
    EXPECT_EQ(OnEditor(), "C++");
    std::filesystem::create_directories(Path("report.d"));
    Open("report.d/README");
    EXPECT_EQ(OnEditor(), "C++");
    Open("page.htm");
    Open("types.h");
    EXPECT_EQ(OnEditor(), "C++");
    // A text file takes the highlighter off even after a menu choice.
    Choose("mnsOptionsMarkersSql");
    Open("NOTES.TXT");
    EXPECT_EQ(OnEditor(), "");
    EXPECT_EQ(w.CheckedMarker(), "Brak kolorowania");
    // The menu choice is still stored, but lasts only until the next document.
    EXPECT_EQ(StoredMark(), "SQL");
    EXPECT_EQ(dialogs.Messages.size(), 0u);
}

TEST_F(MarkersChoiceTest, SaveAsAndNewChooseToo) {
    TfrmMain& w = Create();
    EXPECT_EQ(w.CheckedMarker(), "Brak kolorowania");
    Type("select 1");
    dialogs.SaveAnswers = {QPath("query.SQL")};
    w.prcFileSaveAs();
    EXPECT_EQ(OnEditor(), "SQL");
    // With the flag on a new document starts uncoloured, whatever was chosen or stored.
    Choose("mnsOptionsMarkersXml");
    w.prcFileNew();
    EXPECT_EQ(OnEditor(), "");
    EXPECT_EQ(StoredMark(), "XML");
}

TEST_F(MarkersChoiceTest, WithTheFlagOffTheStoredChoiceServesEveryDocument) {
    Ini().WriteString("Edit", "automark", "0");
    Ini().WriteString("code", "mark", "SQL");
    TfrmMain& w = Create();
    EXPECT_EQ(OnEditor(), "SQL");
    Open("index.html");
    EXPECT_EQ(OnEditor(), "SQL");
    Choose("mnsOptionsMarkersPerl");
    Open("notes.txt");
    EXPECT_EQ(OnEditor(), "Perl");
    w.prcFileNew();
    EXPECT_EQ(OnEditor(), "Perl");
    dialogs.SaveAnswers = {QPath("x.cpp")};
    w.prcFileSaveAs();
    EXPECT_EQ(OnEditor(), "Perl");
    Choose("mnsOptionsMarkersNone");
    Open("main.c");
    EXPECT_EQ(OnEditor(), "");
    // Without a stored choice a document is uncoloured.
    Ini().DeleteKey("code", "mark");
    Choose("mnsOptionsMarkersIni");
    Ini().DeleteKey("code", "mark");
    w.prcFileNew();
    EXPECT_EQ(OnEditor(), "");
}

// The window uses the holder made before it, as the program does.
TEST_F(MarkersChoiceTest, WindowUsesTheProgramsHolder) {
    TfrmMarkers markers;
    TfrmMain& w = Create();
    EXPECT_EQ(&w.Markers(), &markers);
    Choose("mnsOptionsMarkersJava");
    EXPECT_EQ(w.mncKrqEdit->Highlighter(), markers.FindByLanguage("Java"));
    frm.reset();
}

}  // namespace
}  // namespace krq::test

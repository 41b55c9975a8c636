// Start-up of the main window: defaults, stored settings, the command line and the real program.
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStatusBar>
#include <QToolBar>

#include "app/MainWindowFixture.h"
#include "editor/companions/TKrqAutoCorrect.h"
#include "editor/companions/TKrqCompletionProposal.h"
#include "platform/colors.h"

namespace krq::test {
namespace {

using StartupTest = MainWindowTest;

TEST_F(StartupTest, FirstStartWithoutSettingsUsesEveryDefault) {
    TfrmMain& w = Create();
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(w.pos(), QPoint(149, 130));
    EXPECT_EQ(w.size(), QSize(609, 398));
    EXPECT_FALSE(w.isMaximized());
    EXPECT_FALSE(w.mncStatusBar->isHidden());
    EXPECT_FALSE(w.mncToolBar->isHidden());
    EXPECT_TRUE(w.mncKrqEdit->GutterVisible());
    EXPECT_FALSE(w.mncKrqEdit->WordWrap());
    EXPECT_FALSE(w.btnWordWrap->isChecked());
    EXPECT_EQ(w.dlgFont.family(), "FixedSys");
    EXPECT_EQ(w.dlgFont.pointSize(), 9);
    EXPECT_FALSE(w.dlgFont.bold() || w.dlgFont.italic());
    EXPECT_EQ(w.mncKrqEdit->Color(), QColor(Qt::white));
    EXPECT_EQ(w.mncKrqEdit->FontColor(), QColor(Qt::black));
    EXPECT_EQ(w.mncKrqEdit->SelectedForeground(), QColor(Qt::white));
    EXPECT_EQ(w.mncKrqEdit->SelectedBackground(), ColorFromValue(static_cast<int>(0x80000001u)));
    EXPECT_EQ(w.mncKrqEdit->GutterColor(), QColor(0x68, 0x8F, 0xEC));
    EXPECT_TRUE(Model().HasOption(eoTrimTrailingSpaces));
    EXPECT_TRUE(Model().HasOption(eoAutoIndent));
    EXPECT_EQ(w.mncKrqEdit->PopupMenu(), w.mncPopUpMenu);
    EXPECT_EQ(w.ivcKrqProposal->Editor(), &Model());
    EXPECT_EQ(w.ivcKrqAutoCorrect->Editor(), &Model());
    EXPECT_EQ(w.ivcKrqProposal->ItemList().size(), 2u);
    EXPECT_EQ(w.ivcKrqAutoCorrect->Items().size(), 1u);
    EXPECT_TRUE(w.AutoMark);
    EXPECT_EQ(w.GlyphSet(), 0);
    EXPECT_FALSE(w.btnFileNew->icon().isNull());
    // A new, empty, untitled document.
    EXPECT_TRUE(w.Untitled());
    EXPECT_FALSE(w.Modified());
    EXPECT_EQ(Model().Text(), "");
    EXPECT_EQ(w.windowTitle(), "Kwerdel RQ");
    EXPECT_EQ(w.ApplicationTitle(), "Kwerdel RQ");
    EXPECT_EQ(Panel(0), "Gotowy");
    EXPECT_EQ(Panel(1), "Rozmiar:");
    EXPECT_EQ(Panel(2), Utf("0 bajtów."));
    EXPECT_EQ(Panel(3), "X:1");
    EXPECT_EQ(Panel(4), "Y:1");
    EXPECT_EQ(Panel(5), "Kwerdel RQ ver 4.0 alpha      ");
    EXPECT_EQ(w.CheckedMarker(), "Brak kolorowania");
    // The three file dialogs share the 19-entry filter list, the first entry chosen.
    QStringList filters = QtFilters(w.dlgFileOpen.Filter);
    ASSERT_EQ(filters.size(), 19);
    EXPECT_EQ(filters.front(), "Dokumenty tekstowe (*.txt) (*.txt)");
    EXPECT_EQ(filters.back(), "Wszystkie pliki (*)");  // every file, with a dot or without
    EXPECT_EQ(w.dlgFileSave.Filter, w.dlgFileOpen.Filter);
    EXPECT_EQ(w.dlgFileOpen_Additional.Filter, w.dlgFileOpen.Filter);
    EXPECT_EQ(w.dlgFileOpen.FilterIndex, 1);
    EXPECT_EQ(w.dlgFileSave.DefaultExt, "txt");
    // Nothing was written at start.
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
}

TEST_F(StartupTest, FullsizeMaximisesAndKeepsTheStoredBoundsOnClosing) {
    WriteFile(IniPath(), "[View]\r\nfullsize=1\r\ntop=5\r\nleft=6\r\nheight=300\r\nwidth=400\r\n");
    TfrmMain& w = Create();
    EXPECT_TRUE(w.isMaximized());
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(w.TerminationRequested());
    EXPECT_TRUE(Ini().ReadBool("View", "fullsize", false));
    EXPECT_EQ(Ini().ReadInteger("View", "top", 0), 5);
    EXPECT_EQ(Ini().ReadInteger("View", "width", 0), 400);
}

TEST_F(StartupTest, HandWrittenSettingsWithOddCaseAndHexValues) {
    WriteFile(IniPath(),
              "[VIEW]\r\nStatusBar=0\r\nTOOLBAR=0\r\nGutter=0\r\nWordWrap=1\r\nTop=0x20\r\n"
              "LEFT=$10\r\nfont-size=0x30\r\nfont-style=3\r\nFont-Type=\"DejaVu Sans\"\r\n"
              "toolbar_style=7\r\n"
              "[edit]\r\nNoPopup=1\r\nProposal=0\r\nCORRECT=0\r\nDelSpaces=0\r\nindent=0\r\n"
              "automark=0\r\n[colors]\r\n1=0xFF\r\n2=0x00FF00\r\n");
    TfrmMain& w = Create();
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(w.pos(), QPoint(16, 32));
    EXPECT_TRUE(w.mncStatusBar->isHidden());
    EXPECT_TRUE(w.mncToolBar->isHidden());
    EXPECT_FALSE(w.mncKrqEdit->GutterVisible());
    EXPECT_TRUE(w.mncKrqEdit->WordWrap());
    EXPECT_TRUE(w.btnWordWrap->isChecked());
    // A stored size beyond the font dialog's range is applied as it is.
    EXPECT_EQ(w.dlgFont.pointSize(), 48);
    EXPECT_EQ(w.mncKrqEdit->TextFont().pointSize(), 48);
    EXPECT_EQ(w.dlgFont.family(), "DejaVu Sans");
    EXPECT_TRUE(w.dlgFont.bold() && w.dlgFont.italic());
    EXPECT_EQ(w.mncKrqEdit->PopupMenu(), nullptr);
    EXPECT_EQ(w.ivcKrqProposal->Editor(), nullptr);
    EXPECT_EQ(w.ivcKrqAutoCorrect->Editor(), nullptr);
    EXPECT_FALSE(Model().HasOption(eoTrimTrailingSpaces));
    EXPECT_FALSE(Model().HasOption(eoAutoIndent));
    EXPECT_FALSE(w.AutoMark);
    EXPECT_EQ(w.mncKrqEdit->Color(), QColor(Qt::red));
    EXPECT_EQ(w.mncKrqEdit->FontColor(), QColor(Qt::green));
    // toolbar_style outside 0-2: no images.
    EXPECT_EQ(w.GlyphSet(), -1);
    for (QToolButton* b : {w.btnFileNew, w.btnEditUndo, w.btnWordWrap})
        EXPECT_TRUE(b->icon().isNull());
}

TEST_F(StartupTest, GlyphSetsHoldFourteenImagesEachAndSwitch) {
    WriteFile(IniPath(), "[View]\r\ntoolbar_style=2\r\n");
    TfrmMain& w = Create();
    EXPECT_EQ(w.GlyphSet(), 2);
    for (const QList<QPixmap>* set :
         {&w.ivcGlyphStandardActive, &w.ivcGlyphStandardUnActive, &w.ivcGlyphXPActive,
          &w.ivcGlyphXPUnActive, &w.ivcGlyphOrbitActive, &w.ivcGlyphOrbitUnActive}) {
        ASSERT_EQ(set->size(), 14);
        for (const QPixmap& p : *set) EXPECT_EQ(p.size(), QSize(16, 16));
    }
    const qint64 orbit = w.btnEditCut->icon().pixmap(16).cacheKey();
    w.prcSetGlyphSet(1);
    EXPECT_NE(w.btnEditCut->icon().pixmap(16).cacheKey(), orbit);
    w.prcSetGlyphSet(5);
    EXPECT_TRUE(w.btnEditCut->icon().isNull());
}

TEST_F(StartupTest, CommandLineParametersAreJoinedWithSingleBlanks) {
    WriteFile(Path("my long name.txt"), "abc\r\n");
    TfrmMain& w = Create({QPath("my"), "long", "name.txt"});
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(w.CurrentFileName(), QPath("my long name.txt"));
    EXPECT_EQ(w.windowTitle(), "my long name.txt - Kwerdel RQ");
    EXPECT_EQ(Model().Text(), "abc");
    EXPECT_EQ(Panel(2), Utf("3 bajtów."));
}

TEST_F(StartupTest, JoiningStopsAtTheFirstEmptyParameter) {
    WriteFile(Path("a"), "x");
    TfrmMain& w = Create({QPath("a"), "", "b"});
    EXPECT_EQ(w.CurrentFileName(), QPath("a"));
}

TEST_F(StartupTest, UnreadableCommandLineFileIsReportedAndTheWindowStillOpens) {
    TfrmMain& w = Create({QPath("missing.txt")});
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Cannot open file " + QPath("missing.txt") + ".");
    EXPECT_EQ(dialogs.Messages[0].Caption, "Kwerdel RQ");
    EXPECT_EQ(dialogs.Messages[0].Icon, TMsgIcon::Stop);
    EXPECT_TRUE(w.Untitled());
    EXPECT_EQ(w.windowTitle(), "Kwerdel RQ");
    EXPECT_EQ(w.ivcMRUManager.Count(), 0);
}

TEST_F(StartupTest, MissingWordListStopsTheLaterStepsButTheWindowIsMade) {
    std::filesystem::remove(Path("data/correct.dat"));
    WriteFile(IniPath(), "[View]\r\nstatusbar=0\r\n");
    TfrmMain& w = Create();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Cannot open file " + QPath("data/correct.dat") + ".");
    // Steps after the failing one did not run.
    EXPECT_FALSE(w.mncStatusBar->isHidden());
    EXPECT_TRUE(w.dlgFileOpen.Filter.isEmpty());
    EXPECT_EQ(Panel(5), "Kwerdel RQ ver 4.0 alpha      ");
}

// The program as a user starts it: the real executable with a file on its command line,
// asked to close once its message loop runs.
TEST_F(StartupTest, RealProgramOpensItsCommandLineFileAndCloses) {
    const QString program = QStringLiteral(KRQ_BIN_DIR "/krq");
    ASSERT_TRUE(QFileInfo::exists(program)) << "krq is not built: " << program.toStdString();
    WriteFile(Path("doc one.txt"), "Ala ma kota\r\n");
    QProcess krq;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KRQ_HOME", QString::fromStdString(home));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KRQ_CLOSE_AFTER_START", "1");
    krq.setProcessEnvironment(env);
    krq.start(program, {QPath("doc"), "one.txt"});
    ASSERT_TRUE(krq.waitForFinished(60000)) << krq.errorString().toStdString();
    EXPECT_EQ(krq.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(krq.exitCode(), 0) << krq.readAllStandardError().toStdString();
    EXPECT_EQ(Ini().ReadString("Files", "Item_0", ""), Path("doc one.txt"));
    EXPECT_EQ(Ini().ReadInteger("View", "top", 0), 130);
    EXPECT_FALSE(Ini().ReadBool("View", "fullsize", true));
}

// An installed program: the user may read its directory but not write there. The file named on
// the command line stays open although the recent-files list cannot be stored.
TEST_F(StartupTest, ACommandLineFileStaysOpenWhenTheProgramDirectoryIsReadOnly) {
    WriteFile(Path("doc.txt"), "Ala ma kota\r\n");
    EXPECT_TRUE(RunUnprivileged([&] {
        ASSERT_NE(access(home.c_str(), W_OK), 0) << "the program directory is writable";
        TfrmMain& w = Create({QPath("doc.txt")});
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(dialogs.Messages[0].Text,
                  "Unable to write to " + QString::fromStdString(IniPath()) + ".");
        EXPECT_EQ(dialogs.Messages[0].Icon, TMsgIcon::Stop);
        EXPECT_EQ(w.CurrentFileName(), QPath("doc.txt"));
        EXPECT_EQ(w.windowTitle(), "doc.txt - Kwerdel RQ");
        EXPECT_EQ(Model().Text(), "Ala ma kota");
        EXPECT_FALSE(w.Modified());
        EXPECT_EQ(w.ivcMRUManager.Items(), QStringList{QPath("doc.txt")});
    }));
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
    EXPECT_EQ(ReadFile(Path("doc.txt")), "Ala ma kota\r\n");
}

// The same with the real program, started by an ordinary user.
TEST_F(StartupTest, RealProgramKeepsItsCommandLineFileWithAReadOnlyProgramDirectory) {
    const QString program = QStringLiteral(KRQ_BIN_DIR "/krq");
    ASSERT_TRUE(QFileInfo::exists(program)) << "krq is not built: " << program.toStdString();
    WriteFile(Path("doc.txt"), "Ala ma kota\r\n");
    ::chmod(TestHome().c_str(), 0755);
    QProcess krq;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KRQ_HOME", QString::fromStdString(home));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KRQ_CLOSE_AFTER_START", "1");
    env.insert("HOME", QString::fromStdString(home));
    krq.setProcessEnvironment(env);
    krq.setChildProcessModifier([] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
    });
    krq.start(program, {QPath("doc.txt")});
    ASSERT_TRUE(krq.waitForFinished(60000)) << krq.errorString().toStdString();
    EXPECT_EQ(krq.exitStatus(), QProcess::NormalExit);
    const QString err = QString::fromLocal8Bit(krq.readAllStandardError());
    EXPECT_EQ(krq.exitCode(), 0) << err.toStdString();
    const QString refused =
        "message: Unable to write to " + QString::fromStdString(IniPath()) + ".";
    // Once when the recent-files list is stored, once for the geometry on closing.
    EXPECT_EQ(err.count(refused), 2) << err.toStdString();
    EXPECT_TRUE(err.contains("title: doc.txt - Kwerdel RQ\n")) << err.toStdString();
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
    EXPECT_EQ(ReadFile(Path("doc.txt")), "Ala ma kota\r\n");
}

}  // namespace
}  // namespace krq::test

// Faults a user met in the real program, each through the main window as the user met it.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QListView>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/MainWindowFixture.h"
#include "editor/companions/TKrqCompletionList.h"
#include "platform/errors.h"

namespace krq::test {
namespace {

using MendedTest = MainWindowTest;

void OnNextModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

void Key(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(w, key, mods);
}

void TypeKeys(QWidget* w, const char* text) { QTest::keyClicks(w, QString::fromUtf8(text)); }

// --- The completion list ------------------

TEST_F(MendedTest, CompletionListIsShownWhileItTakesTheKeys) {
    TfrmMain& w = Create();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    TKrqEdit* edit = w.mncKrqEdit;
    TypeKeys(edit, "sp");
    Key(edit, Qt::Key_Space, Qt::ControlModifier);
    auto* list = w.findChild<TKrqCompletionList*>();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->width(), 260);
    // Under the caret, one line below its top.
    EXPECT_EQ(list->pos().y(), edit->CaretScreenPos().y() + edit->LineHeight());
    EXPECT_EQ(w.ivcKrqProposal->SelectedRow(), 1);  // "span"
    Key(edit, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(Model().Text(), "span");
}

// --- Failures of the widget's own keys ----------------------------------------------------

class TFailingClipboard : public TKrqClipboard {
  public:
    void Put(std::string) override { throw EKrqError("Clipboard copy operation failed"); }
    bool Get(std::string&, std::optional<std::string>&) override { return false; }
};

TEST_F(MendedTest, AFailingWidgetKeyIsReportedNotFatal) {
    static TFailingClipboard failing;
    TfrmMain& w = Create();
    Type("abc");
    Model().SelectAll();
    Model().SetClipboard(&failing);
    Key(w.mncKrqEdit, Qt::Key_Insert, Qt::ControlModifier);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Clipboard copy operation failed.");
    EXPECT_EQ(dialogs.Messages[0].Icon, TMsgIcon::Stop);
    // Shift+Delete cuts: the failed copy leaves the text as it was.
    Key(w.mncKrqEdit, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(Model().Text(), "abc");
    Model().SetClipboard(nullptr);
}

// --- Auto indent and trailing blanks ------------------

TEST_F(MendedTest, AutoIndentKeepsTabAndSpaceIndentation) {
    for (const std::string indent : {"\t", "    ", "\t  "}) {
        TfrmMain& w = Create();
        OpenFile("a.txt", indent + "abc\r\n");
        Key(w.mncKrqEdit, Qt::Key_End);
        Key(w.mncKrqEdit, Qt::Key_Return);
        TypeKeys(w.mncKrqEdit, "X");
        PressShortcut("mnsFileSave");
        EXPECT_EQ(ReadFile(Path("a.txt")), indent + "abc\r\n" + indent + "X\r\n");
    }
}

TEST_F(MendedTest, HeldIndentationIsTrimmedOnceTheUserEditsElsewhere) {
    TfrmMain& w = Create();
    OpenFile("a.txt", "\tabc\r\n");
    Key(w.mncKrqEdit, Qt::Key_End);
    Key(w.mncKrqEdit, Qt::Key_Return);
    Key(w.mncKrqEdit, Qt::Key_Up);
    Key(w.mncKrqEdit, Qt::Key_End);
    TypeKeys(w.mncKrqEdit, "d");
    EXPECT_EQ(Model().Text(), "\tabcd\r\n");
    // Undo brings back both steps, and redo repeats them.
    Key(w.mncKrqEdit, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(Model().Text(), "\tabc\r\n\t");
    Key(w.mncKrqEdit, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(Model().Text(), "\tabc");
    // Without trailing-blank removal the indentation simply stays.
    Model().SetOptions(Model().Options() & ~static_cast<TKrqEditorOptions>(eoTrimTrailingSpaces));
    Key(w.mncKrqEdit, Qt::Key_End);
    Key(w.mncKrqEdit, Qt::Key_Return);
    Key(w.mncKrqEdit, Qt::Key_Up);
    TypeKeys(w.mncKrqEdit, "d");
    EXPECT_EQ(Model().Text(), "\tdabc\r\n\t");
}

// --- Names from the command line ------------------

TEST_F(MendedTest, ARelativeCommandLinePathBecomesAbsolute) {
    std::filesystem::create_directories(Path("docs"));
    WriteFile(Path("docs/a.txt"), "x\r\n");
    const QString before = QDir::currentPath();
    QDir::setCurrent(QPath("docs"));
    TfrmMain& w = Create({"a.txt"});
    QDir::setCurrent(before);
    EXPECT_EQ(w.CurrentFileName(), QPath("docs/a.txt"));
    EXPECT_EQ(Ini().ReadString("Files", "Item_0", ""), Path("docs/a.txt"));
    // A dropped name is made absolute too.
    QDir::setCurrent(QPath("docs"));
    w.mncKrqEditDropFiles(0, 0, {"./../docs/a.txt"});
    QDir::setCurrent(before);
    EXPECT_EQ(w.CurrentFileName(), QPath("docs/a.txt"));
    EXPECT_EQ(w.ivcMRUManager.Count(), 1);
}

TEST_F(MendedTest, RealProgramStoresTheFullNameOfARelativeArgument) {
    const QString program = QStringLiteral(KRQ_BIN_DIR "/krq");
    ASSERT_TRUE(QFileInfo::exists(program));
    std::filesystem::create_directories(Path("docs"));
    WriteFile(Path("docs/a.txt"), "x\r\n");
    QProcess krq;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KRQ_HOME", QString::fromStdString(home));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KRQ_CLOSE_AFTER_START", "1");
    krq.setProcessEnvironment(env);
    krq.setWorkingDirectory(QPath("docs"));
    krq.start(program, {"a.txt"});
    ASSERT_TRUE(krq.waitForFinished(60000));
    EXPECT_EQ(krq.exitCode(), 0);
    EXPECT_EQ(Ini().ReadString("Files", "Item_0", ""), Path("docs/a.txt"));
}

// --- The file dialogs ------------------

class MendedDialogTest : public MendedTest {
  protected:
    void SetUp() override {
        MendedTest::SetUp();
        SetDialogs(nullptr);  // Qt's own file dialog, driven as a user drives it
    }
    void TearDown() override {
        SetDialogs(&dialogs);
        MendedTest::TearDown();
    }
};

QComboBox* FilterCombo(QWidget* dialog) { return dialog->findChild<QComboBox*>("fileTypeCombo"); }

TEST_F(MendedDialogTest, TheOpenDialogKeepsTheFilterChosenLast) {
    WriteFile(Path("a.ini"), "[s]\r\n");
    TfrmMain& w = Create();
    int shown = -1;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        QComboBox* combo = FilterCombo(dialog);
        ASSERT_NE(combo, nullptr);
        combo->setCurrentIndex(14);  // "INI Files (*.ini)"
        emit combo->activated(14);
        dialog->selectFile(QPath("a.ini"));
        static_cast<QDialog*>(dialog)->accept();
    });
    PressShortcut("mnsFileOpen");
    EXPECT_EQ(w.CurrentFileName(), QPath("a.ini"));
    EXPECT_EQ(w.dlgFileOpen.FilterIndex, 15);
    OnNextModal([&](QWidget* modal) {
        shown = FilterCombo(modal)->currentIndex();
        static_cast<QDialog*>(modal)->reject();
    });
    PressShortcut("mnsFileOpen");
    EXPECT_EQ(shown, 14);
}

TEST_F(MendedDialogTest, AllFilesShowsFilesWithoutAnExtension) {
    WriteFile(Path("README"), "r\r\n");
    WriteFile(Path("b.txt"), "b\r\n");
    TfrmMain& w = Create();
    w.dlgFileOpen.FileName = QPath("b.txt");
    bool listed = false;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QComboBox* combo = FilterCombo(dialog);
        combo->setCurrentIndex(combo->count() - 1);  // "Wszystkie pliki"
        emit combo->activated(combo->count() - 1);
        auto* view = dialog->findChild<QListView*>("listView");
        listed = QTest::qWaitFor(
            [&] {
                QAbstractItemModel* model = view->model();
                for (int r = 0; r < model->rowCount(view->rootIndex()); ++r)
                    if (model->index(r, 0, view->rootIndex()).data().toString() == "README")
                        return true;
                return false;
            },
            10000);
        dialog->reject();
    });
    PressShortcut("mnsFileOpen");
    EXPECT_TRUE(listed);
}

// --- The status bar ------------------

TEST_F(MendedTest, SizePanelFollowsADeleteThatLeavesTheCaretInPlace) {
    TfrmMain& w = Create();
    OpenFile("a.txt", "01234567890\r\n");
    EXPECT_EQ(Panel(2), Utf("11 bajtów."));
    Key(w.mncKrqEdit, Qt::Key_Delete);
    EXPECT_EQ(Model().Text(), "1234567890");
    EXPECT_EQ(Panel(2), Utf("10 bajtów."));
}

TEST_F(MendedTest, StatusPanelsWidenToShowTheirWholeText) {
    TfrmMain& w = Create();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    OpenFile("long.txt", std::string(2097151, 'x') + "\r\n");
    Key(w.mncKrqEdit, Qt::Key_End);
    EXPECT_EQ(Panel(3), "X:2097152");
    w.mncStatusPanel[2]->setText(Utf("104857616 bajtów."));
    QApplication::processEvents();
    // Too narrow for every panel's text, the window grows once its layout has run again.
    QApplication::processEvents();
    QApplication::processEvents();
    static const int kDeclared[5] = {150, 45, 100, 60, 60};
    for (int i = 0; i < 5; ++i) {
        QLabel* panel = w.mncStatusPanel[i];
        const int needed = QFontMetrics(panel->font()).horizontalAdvance(panel->text());
        EXPECT_GE(panel->contentsRect().width(), needed) << panel->text().toStdString();
        EXPECT_GE(panel->width(), kDeclared[i]) << i;
    }
}

// The columns of a picture that hold ink (any pixel darker than mid grey).
int InkColumns(const QImage& image) {
    int columns = 0;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < 128) {
                ++columns;
                break;
            }
        }
    }
    return columns;
}

// The version panel is the last of the six: at the window's first-start width it showed
// "werdel RQ ...", its first letter cut off on the left.
TEST_F(MendedTest, VersionPanelShowsItsWholeTextAtTheDefaultWidth) {
    TfrmMain& w = Create();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QApplication::processEvents();
    EXPECT_EQ(w.size(), QSize(609, 398));
    QLabel* panel = w.mncStatusPanel[5];
    EXPECT_EQ(panel->text(), "Kwerdel RQ ver 4.0 alpha      ");
    EXPECT_GE(panel->width(), 50);
    EXPECT_LE(panel->geometry().right(), w.mncStatusBar->contentsRect().right());
    // Every letter is drawn: as much ink as the same text in a panel with room to spare (a
    // column either way for the glyphs' place between pixels; a lost "K" takes several).
    QLabel roomy(panel->text());
    roomy.setFont(panel->font());
    roomy.setAlignment(panel->alignment());
    roomy.resize(panel->sizeHint().width() + 100, panel->height());
    const int whole = InkColumns(roomy.grab().toImage());
    EXPECT_GT(whole, 50);
    EXPECT_GE(InkColumns(panel->grab().toImage()), whole - 1);
}

// --- Word wrap and the keyboard ------------------

TEST_F(MendedTest, WithWordWrapTheKeyboardMovesThroughALongLine) {
    TfrmMain& w = Create();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    std::string paragraph;
    for (int i = 0; i < 60; ++i) paragraph += "word" + std::to_string(i) + "\t";
    OpenFile("wrap.txt", paragraph + "\r\nshort\r\n");
    w.mnsViewWordWrap->trigger();
    ASSERT_TRUE(w.mncKrqEdit->WordWrap());
    TKrqEdit* edit = w.mncKrqEdit;
    edit->setFocus();
    const int lineHeight = edit->LineHeight();
    // Down walks the rows of line 1, one row lower each time, before it reaches line 2.
    int downs = 0;
    int y = edit->PointOfChar(Model().CaretXY()).y();
    while (Model().CaretLine() == 1 && downs < 100) {
        Key(edit, Qt::Key_Down);
        ++downs;
        if (Model().CaretLine() != 1) break;
        const int now = edit->PointOfChar(Model().CaretXY()).y();
        EXPECT_TRUE(now == y + lineHeight || (now == y && edit->TopRow() > 0)) << downs;
        y = now;
        EXPECT_EQ(Panel(4), "Y:1");
    }
    EXPECT_GT(downs, 3);
    EXPECT_EQ(Model().CaretXY(), (TBufferCoord{1, 2}));
    EXPECT_EQ(Panel(4), "Y:2");
    // Up comes back into the paragraph's last row; Home and End go to that row's start and end,
    // pressed again to the line's.
    Key(edit, Qt::Key_Up);
    EXPECT_EQ(Model().CaretLine(), 1);
    const int lastRowStart = Model().CaretColumn();
    EXPECT_GT(lastRowStart, 1);
    Key(edit, Qt::Key_End);
    EXPECT_EQ(Model().CaretColumn(), static_cast<int>(paragraph.size()) + 1);
    Key(edit, Qt::Key_Home);
    EXPECT_EQ(Model().CaretColumn(), lastRowStart);
    Key(edit, Qt::Key_Home);
    EXPECT_EQ(Model().CaretColumn(), 1);
    Key(edit, Qt::Key_End);
    EXPECT_GT(Model().CaretColumn(), 1);
    EXPECT_LT(Model().CaretColumn(), lastRowStart);
    EXPECT_EQ(Panel(3), "X:" + QString::number(Model().CaretColumn()));

    // PgDn and PgUp move through a 20 MB wrapped line, caret and view together.
    std::string huge;
    huge.reserve(20'000'005);
    while (huge.size() < 20'000'000) huge += "word ";
    OpenFile("huge.txt", huge);
    ASSERT_TRUE(edit->WordWrap());
    Key(edit, Qt::Key_PageDown);
    const int after = Model().CaretColumn();
    EXPECT_GT(after, 1);
    EXPECT_EQ(Model().CaretLine(), 1);
    EXPECT_GT(edit->TopRow(), 0);
    Key(edit, Qt::Key_PageDown);
    EXPECT_GT(Model().CaretColumn(), after);
    Key(edit, Qt::Key_PageUp);
    EXPECT_EQ(Model().CaretColumn(), after);
    Key(edit, Qt::Key_PageUp);
    EXPECT_EQ(Model().CaretColumn(), 1);
    EXPECT_EQ(edit->TopRow(), 0);
}

// --- Shortcuts after a menu ------------------

// The menu items show their keys but only the window registers them: with both, the keys were
// ambiguous whenever the menu bar kept the focus after a menu was left with Esc.
TEST_F(MendedTest, TheFirstShortcutAfterLeavingAMenuIsNotLost) {
    TfrmMain& w = Create();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    Type("abc");
    QMenuBar* bar = w.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      bar->actionGeometry(w.mnsFile->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.mnsFile->isVisible(); }, 5000));
    QTest::keyClick(w.mnsFile, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.mnsFile->isVisible(); }, 5000));
    // Every shortcut of the window is registered once.
    QMap<QString, int> count;
    for (QShortcut* s : w.findChildren<QShortcut*>()) ++count[s->key().toString()];
    for (QAction* a : w.findChildren<QAction*>())
        for (const QKeySequence& k : a->shortcuts()) ++count[k.toString()];
    EXPECT_EQ(count.value("Ctrl+N"), 1);
    for (auto it = count.begin(); it != count.end(); ++it)
        EXPECT_EQ(it.value(), 1) << it.key().toStdString();
    // The items still show their keys, and the one registration answers them.
    EXPECT_TRUE(w.mnsFileNew->text().endsWith(
        "\t" + QKeySequence("Ctrl+N").toString(QKeySequence::NativeText)));
    dialogs.MessageAnswers.push_back(TMsgResult::No);
    PressShortcut("mnsFileNew");
    ASSERT_EQ(dialogs.Messages.size(), 1u);  // the save prompt of New
    EXPECT_EQ(Model().Text(), "");
}

// --- Bookmarks in the gutter ------------------

int DarkPixelsOfGutterRow(TKrqEdit* edit, int line) {
    const QImage image = edit->viewport()->grab().toImage();
    const int top = edit->PointOfChar({1, line}).y();
    int dark = 0;
    for (int y = top; y < top + edit->LineHeight() && y < image.height(); ++y)
        for (int x = 0; x < edit->GutterWidth(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() < 90 && c.green() < 90 && c.blue() < 90) ++dark;
        }
    return dark;
}

TEST_F(MendedTest, BookmarkGlyphsLeaveTheLineNumberWhole) {
    TfrmMain& w = Create();
    w.resize(600, 400);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    std::string text;
    for (int i = 0; i < 120; ++i) text += "line\r\n";
    OpenFile("a.txt", text);
    Key(w.mncKrqEdit, Qt::Key_End, Qt::ControlModifier);
    const int line = Model().CaretLine();  // numbered 119: as many digits as the field
    const int plain = DarkPixelsOfGutterRow(w.mncKrqEdit, line);
    ASSERT_GT(plain, 0);
    Key(w.mncKrqEdit, Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(Model().Bookmark(1).value_or(0), line);
    EXPECT_EQ(DarkPixelsOfGutterRow(w.mncKrqEdit, line), plain);
}

// --- The build ------------------

TEST(MendedBuild, MakeRunBuildsOnlyTheProgramsAndTheirData) {
    QProcess make;
    make.setWorkingDirectory(KRQ_SOURCE_DIR);
    make.start("make", {"-n", "run", "BUILD=" KRQ_BIN_DIR});
    ASSERT_TRUE(make.waitForFinished(60000));
    const QStringList lines = QString::fromUtf8(make.readAllStandardOutput()).split('\n');
    int builds = 0;
    for (const QString& line : lines) {
        if (!line.contains("cmake --build")) continue;
        ++builds;
        const qsizetype at = line.indexOf("--target");
        ASSERT_GE(at, 0) << "builds everything: " << line.toStdString();
        const QStringList targets = line.mid(at + 8).split(' ', Qt::SkipEmptyParts);
        for (const QString& target : targets)
            EXPECT_TRUE(target == "krq" || target == "krq-convert" || target == "krq_data")
                << target.toStdString();
    }
    EXPECT_EQ(builds, 1);
}

// --- The fallback font ------------------

// Run in a child process whose font configuration makes "monospace" a proportional family,
// as some machines' configurations do for the monospace font they report.
TEST_F(MendedTest, FallbackFontIsMonospacedByMeasurement) {
    if (!qEnvironmentVariableIsSet("KRQ_PROPORTIONAL_MONOSPACE")) {
        const std::string dir = MakeTempDir("fontconfig");
        WriteFile(dir + "/fonts.conf",
                  "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                  "<fontconfig>\n"
                  "  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n"
                  "  <match target=\"pattern\">\n"
                  "    <test qual=\"any\" name=\"family\"><string>monospace</string></test>\n"
                  "    <edit name=\"family\" mode=\"assign\" binding=\"strong\">"
                  "<string>DejaVu Sans</string></edit>\n"
                  "  </match>\n"
                  "  <cachedir>" +
                      dir +
                      "/cache</cachedir>\n"
                      "</fontconfig>\n");
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KRQ_PROPORTIONAL_MONOSPACE", "1");
        env.insert("FONTCONFIG_FILE", QString::fromStdString(dir + "/fonts.conf"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=MendedTest.FallbackFontIsMonospacedByMeasurement"});
        ASSERT_TRUE(child.waitForFinished(60000));
        EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
        return;
    }
    TfrmMain& w = Create();  // "FixedSys" 9 pt, which no Linux machine has
    const QFontMetricsF drawn(w.mncKrqEdit->DrawnFont());
    for (QChar c : QStringLiteral("il.M0 "))
        EXPECT_DOUBLE_EQ(drawn.horizontalAdvance(c), drawn.horizontalAdvance(QChar('W')))
            << c.toLatin1();
}

}  // namespace
}  // namespace krq::test

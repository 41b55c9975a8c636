// The command line: options answered without a window, the file parameters, +LINE.
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include "app/MainWindowFixture.h"
#include "app/unCommandLine.h"

namespace krq::test {
namespace {

struct TRun {
    int ExitCode = -1;
    bool Crashed = true;
    std::string Out, Err;
};

// Starts the real krq with `args`; `display` false takes every display away from it.
TRun RunKrq(const QStringList& args, const std::string& home, bool display = true) {
    const QString program = QStringLiteral(KRQ_BIN_DIR "/krq");
    EXPECT_TRUE(QFileInfo::exists(program)) << "krq is not built";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KRQ_HOME", QString::fromStdString(home));
    env.insert("KRQ_CLOSE_AFTER_START", "1");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    if (display)
        env.insert("QT_QPA_PLATFORM", "offscreen");
    else
        env.insert("QT_QPA_PLATFORM", "xcb");
    QProcess krq;
    krq.setProcessEnvironment(env);
    krq.start(program, args);
    TRun run;
    if (!krq.waitForFinished(60000)) return run;
    run.Crashed = krq.exitStatus() != QProcess::NormalExit;
    run.ExitCode = krq.exitCode();
    run.Out = krq.readAllStandardOutput().toStdString();
    run.Err = krq.readAllStandardError().toStdString();
    return run;
}

using CommandLineTest = MainWindowTest;

TEST_F(CommandLineTest, HelpAndVersionPrintToStandardOutputWithoutADisplay) {
    for (const char* option : {"--help", "-h"}) {
        TRun run = RunKrq({option}, home, false);
        EXPECT_FALSE(run.Crashed);
        EXPECT_EQ(run.ExitCode, 0) << option;
        EXPECT_EQ(run.Out.rfind("Usage: krq [options] [+LINE] [file...]\n", 0), 0u) << run.Out;
        EXPECT_NE(run.Out.find("+LINE"), std::string::npos);
        EXPECT_EQ(run.Out.find("platform"), std::string::npos) << "Qt's options are not listed";
        EXPECT_EQ(run.Err, "");
    }
    TRun run = RunKrq({"--version"}, home, false);
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, "krq 4.0 alpha\n");
    // Nothing was written: no window was made.
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
}

TEST_F(CommandLineTest, UnknownOptionIsOneLineOnStandardErrorAndExitTwo) {
    TRun run = RunKrq({"--frobnicate", "x.txt"}, home, false);
    EXPECT_FALSE(run.Crashed);
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "krq: Unknown option 'frobnicate'. (try --help)\n");
}

TEST_F(CommandLineTest, WithoutADisplayAFileGivesQtsMessageAndAnExitCodeNotACoreDump) {
    WriteFile(Path("a.txt"), "x");
    TRun run = RunKrq({QPath("a.txt")}, home, false);
    EXPECT_FALSE(run.Crashed);
    EXPECT_NE(run.ExitCode, 0);
    EXPECT_NE(run.Err.find("krq: "), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("platform plugin"), std::string::npos) << run.Err;
}

TEST_F(CommandLineTest, QtOptionsPassToQApplication) {
    TKrqCommandLine line =
        ParseKrqCommandLine({"krq", "-platform", "offscreen", "-style", "Fusion", "+3", "a b.txt"});
    EXPECT_FALSE(line.Exit);
    EXPECT_EQ(line.Params, QStringList({"+3", "a b.txt"}));
    TRun run = RunKrq({"-platform", "offscreen"}, home);
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
}

TEST_F(CommandLineTest, PartsThatAreNotEachAFileAreJoinedWithBlanks) {
    WriteFile(Path("doc one.txt"), "Ala\r\n");
    WriteFile(Path("one.txt"), "other\r\n");
    TfrmMain& w = Create({QPath("doc"), "one.txt"});
    EXPECT_EQ(w.CurrentFileName(), QPath("doc one.txt"));
    EXPECT_EQ(Panel(0), "Gotowy");
}

TEST_F(CommandLineTest, SeveralExistingFilesOpenTheFirstAndTheStatusBarSaysSo) {
    WriteFile(Path("a.txt"), "first\r\n");
    WriteFile(Path("b.txt"), "second\r\n");
    TfrmMain& w = Create({QPath("a.txt"), QPath("b.txt")});
    EXPECT_EQ(w.CurrentFileName(), QPath("a.txt"));
    EXPECT_EQ(Model().Text(), "first");
    EXPECT_EQ(Panel(0), Utf("Otwarto pierwszy z 2 plików: edytowany jest jeden dokument naraz"));
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(CommandLineTest, PlusLinePutsTheCaretOnThatLineClampedToTheLast) {
    WriteFile(Path("lines.txt"), "1\r\n2\r\n3\r\n4\r\n");
    TfrmMain& w = Create({"+3", QPath("lines.txt")});
    EXPECT_EQ(w.CurrentFileName(), QPath("lines.txt"));
    EXPECT_EQ(Model().CaretLine(), 3);
    Create({"+99", QPath("lines.txt")});
    EXPECT_EQ(Model().CaretLine(), Model().Lines().Count());
    // Alone, "+3" is a file name like any other.
    QStringList only{"+3"};
    EXPECT_EQ(TakeGotoLine(only), 0);
    EXPECT_EQ(only, QStringList{"+3"});
}

}  // namespace
}  // namespace krq::test

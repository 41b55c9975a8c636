// Files converted in place, by the library and by krq-convert run as a user runs it.
#include "convert/unBatch.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "common/TestHome.h"
#include "convert/unBase.h"
#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/files/filereader.h"
#include "platform/files/filewriter.h"

extern char** environ;

namespace krq {
namespace {

using test::MakeTempDir;
using test::ReadFile;
using test::WriteFile;

mode_t ModeOf(const std::string& path) {
    struct stat info;
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

std::string LastMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (const EKrqError& error) {
        return error.what();
    }
    return "no error";
}

TEST(Batch, LinesEndInCrLfWhateverBreakTheyHad) {
    EXPECT_EQ(NormalizeLines(""), "");
    EXPECT_EQ(NormalizeLines("a"), "a\r\n");
    EXPECT_EQ(NormalizeLines("a\r\n"), "a\r\n");
    EXPECT_EQ(NormalizeLines("a\nb\rc\r\n\r\n\n\rd"), "a\r\nb\r\nc\r\n\r\n\r\n\r\nd\r\n");
    EXPECT_EQ(NormalizeLines("\n"), "\r\n");
}

TEST(Batch, ConvertFileRewritesLinesAndKeepsPermissions) {
    std::string dir = MakeTempDir("batch-convert");
    std::string mixed = dir + "/mixed.txt", digits = dir + "/digits.txt", empty = dir + "/e.txt";
    WriteFile(mixed, cp1250::FromUtf8("żółw\nKOT\r\rpies\r\nkoniec"));
    WriteFile(digits, "123\n456");
    WriteFile(empty, "");
    ::chmod(mixed.c_str(), 0640);
    ConvertFile(mixed, 5);
    ConvertFile(digits, 19);
    ConvertFile(empty, 10);
    EXPECT_EQ(cp1250::ToUtf8(ReadFile(mixed)), "ŻÓŁW\r\nKOT\r\n\r\nPIES\r\nKONIEC\r\n");
    EXPECT_EQ(ModeOf(mixed), 0640u);
    EXPECT_EQ(ReadFile(digits), "123\r\n456\r\n");
    EXPECT_EQ(ReadFile(empty), "");
    // A conversion that drops the last line break still writes a final CR LF.
    WriteFile(mixed, "a<b\nc>d<e");
    ConvertFile(mixed, 16);
    EXPECT_EQ(ReadFile(mixed), "ad\r\n");
    // Nothing but the file itself is left in the directory.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 3);
}

TEST(Batch, SymbolicLinkKeepsPointingAtTheConvertedFile) {
    std::string dir = MakeTempDir("batch-link");
    WriteFile(dir + "/real.txt", "abc");
    std::filesystem::create_symlink("real.txt", dir + "/link.txt");
    ConvertFile(dir + "/link.txt", 5);
    EXPECT_TRUE(std::filesystem::is_symlink(dir + "/link.txt"));
    EXPECT_EQ(ReadFile(dir + "/real.txt"), "ABC\r\n");
}

TEST(Batch, ReadOnlyIsTheOwnerWriteBitAndFailuresNameTheFile) {
    std::string dir = MakeTempDir("batch-ro");
    std::string file = dir + "/f.txt";
    WriteFile(file, "x");
    EXPECT_FALSE(IsFileReadOnly(file));
    ::chmod(file.c_str(), 0444);
    EXPECT_TRUE(IsFileReadOnly(file));  // also when the tests run as root
    ::chmod(file.c_str(), 0577);
    EXPECT_TRUE(IsFileReadOnly(file));
    EXPECT_TRUE(IsFileReadOnly(dir + "/missing.txt"));
    EXPECT_EQ(LastMessage([&] { ReadFileOrRaise(dir + "/missing.txt"); }),
              "Cannot open file " + dir + "/missing.txt");
    EXPECT_EQ(LastMessage([&] { ConvertFile(dir, 1); }), "Cannot open file " + dir);
    EXPECT_EQ(LastMessage([&] { WriteFileSafely(dir + "/no/such.txt", "x"); }),
              "Cannot create file " + dir + "/no/such.txt");
    // Made read-only after it was chosen: the rename could replace it, but it stays untouched.
    ::chmod(file.c_str(), 0444);
    EXPECT_EQ(LastMessage([&] { ConvertFile(file, 5); }), "Cannot create file " + file);
    EXPECT_EQ(ReadFile(file), "x");
}

TEST(Batch, SpecialFilesAreRefusedBeforeTheyAreOpened) {
    std::string dir = MakeTempDir("batch-fifo");
    std::string fifo = dir + "/list.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    EXPECT_EQ(LastMessage([&] { ReadFileOrRaise(fifo); }), "Cannot open file " + fifo);
    EXPECT_EQ(LastMessage([&] { ConvertFile(fifo, 5); }), "Cannot open file " + fifo);
    EXPECT_EQ(LastMessage([&] { ConvertFile("/dev/zero", 5); }), "Cannot open file /dev/zero");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

// krq-convert of this build directory.
std::string ConverterPath() { return KRQ_BIN_DIR "/krq-convert"; }

struct Outcome {
    int status;
    std::string out, err;
};

// Runs krq-convert with the given arguments, standard input read from `input`.
Outcome RunConverter(const std::vector<std::string>& args, const std::string& input = "") {
    std::string dir = MakeTempDir("cli-io");
    std::string in = dir + "/stdin", out = dir + "/stdout", err = dir + "/stderr";
    WriteFile(in, input);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::string program = ConverterPath();
    std::vector<char*> argv{program.data()};
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid;
    int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return {-1, "", "cannot start " + program};
    // A converter that hangs (on a FIFO, say) fails the test instead of stopping the suite.
    int status = 0;
    for (int waited = 0; ::waitpid(pid, &status, WNOHANG) == 0; ++waited) {
        if (waited == 3000) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return {-2, ReadFile(out), "krq-convert hung"};
        }
        ::usleep(10000);
    }
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
}

TEST(Cli, StandardInputIsConvertedAsOneTextBytesAsTheyAre) {
    std::string input = cp1250::FromUtf8("Zażółć <b>gęślą</b>\njaźń\r\r\n  & ™\x81");
    Outcome run = RunConverter({"TtoE"}, input);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, fncTtoE(input));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(RunConverter({"iSoCoDe"}, input).out, fncISOCode(input));
    EXPECT_EQ(RunConverter({"6"}, input).out, fncFirstBig(input));
    EXPECT_EQ(RunConverter({"--", "19"}, input).out, fncRot13(input));
    EXPECT_EQ(RunConverter({"DelLines"}, "").out, "");
}

TEST(Cli, FilesAreConvertedInPlaceSkippingReadOnlyAndReportingFailures) {
    std::string dir = MakeTempDir("cli-files");
    std::string a = dir + "/a.txt", b = dir + "/b.txt", ro = dir + "/ro.txt";
    std::string missing = dir + "/missing.txt";
    WriteFile(a, "Ala\nma\r\rkota");
    WriteFile(b, "<p>x</p>\r\n");
    WriteFile(ro, "<b>stays</b>");
    ::chmod(ro.c_str(), 0444);
    Outcome run = RunConverter({"BigChar", a, missing, ro, b});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(ReadFile(a), "ALA\r\nMA\r\n\r\nKOTA\r\n");
    EXPECT_EQ(ReadFile(b), "<P>X</P>\r\n");
    EXPECT_EQ(ReadFile(ro), "<b>stays</b>");
    EXPECT_NE(run.err.find(missing), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(ro), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");

    // A read-only file alone is no failure.
    run = RunConverter({"16", ro});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(ReadFile(ro), "<b>stays</b>");
}

TEST(Cli, AFifoIsReportedWithoutWaitingAndTheOtherFilesAreConverted) {
    std::string dir = MakeTempDir("cli-fifo");
    std::string fifo = dir + "/pipe.txt", a = dir + "/a.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    WriteFile(a, "ala");
    Outcome run = RunConverter({"BigChar", fifo, a});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.err, "krq-convert: Cannot open file " + fifo + "\n");
    EXPECT_EQ(ReadFile(a), "ALA\r\n");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST(Cli, UsageErrorsExitTwoWithOneLineAndListNamesEveryConversion) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"NoSuchConversion"}, {"0"}, {"20"}, {}, {"--frobnicate", "1"}, {"fncRot13"}}) {
        Outcome run = RunConverter(args, "text");
        EXPECT_EQ(run.status, 2) << testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    Outcome list = RunConverter({"--list"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 19);
    EXPECT_NE(list.out.find(" 1  ISOCode"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("Usuwanie \"ogonków\""), std::string::npos);
    EXPECT_NE(list.out.find("19  Rot13"), std::string::npos);
    EXPECT_NE(RunConverter({"--version"}).out.find("4.0 alpha"), std::string::npos);
    EXPECT_EQ(RunConverter({"--help"}).status, 0);
}

// UTF-8 text goes through the same conversions as its Windows-1250 bytes and comes back as UTF-8.
TEST(Cli, EncodingUtf8OnStandardInputAndInPlace) {
    const std::string zazolc = "za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87";  // "zażółć"
    const std::string upper = "ZA\xC5\xBB\xC3\x93\xC5\x81\xC4\x86";
    Outcome run = RunConverter({"-e", "utf-8", "BigChar"}, zazolc + "\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, upper + "\n");
    // The mark stays where it was; ISO-8859-2 likewise.
    EXPECT_EQ(RunConverter({"--encoding=utf-8", "BigChar"}, "\xEF\xBB\xBF" + zazolc).out,
              "\xEF\xBB\xBF" + upper);
    EXPECT_EQ(RunConverter({"--encoding", "iso-8859-2", "BigChar"}, "\xB1\xB6\xBC").out,
              "\xA1\xA6\xAC");

    std::string dir = MakeTempDir("cli-encoding");
    std::string a = dir + "/a.txt";
    WriteFile(a, zazolc + "\n" + zazolc);
    run = RunConverter({"-e", "utf-8", "BigChar", a});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(a), upper + "\r\n" + upper + "\r\n");
    EXPECT_EQ(RunConverter({"-e", "koi8-r", "BigChar"}).status, 2);
    EXPECT_EQ(RunConverter({"BigChar", "-e"}).status, 2);
}

TEST(Cli, EncodingRefusesTextWithoutWindows1250BytesAndNeverWrites) {
    const std::string cyrillic = "za\xC5\xBC \xD0\x96\xD0\x96\n";
    Outcome run = RunConverter({"-e", "utf-8", "BigChar"}, cyrillic);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("2 characters have no Windows-1250 byte"), std::string::npos) << run.err;

    std::string dir = MakeTempDir("cli-encoding-refused");
    std::string a = dir + "/a.txt", b = dir + "/b.txt", bad = dir + "/bad.txt";
    WriteFile(a, cyrillic);
    WriteFile(bad, "abc\xFF\n");
    WriteFile(b, "ala\n");
    run = RunConverter({"-e", "utf-8", "BigChar", a, bad, b});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(ReadFile(a), cyrillic);
    EXPECT_EQ(ReadFile(bad), "abc\xFF\n");
    EXPECT_EQ(ReadFile(b), "ALA\r\n");
    EXPECT_NE(run.err.find(bad + ": it is not valid UTF-8"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace krq

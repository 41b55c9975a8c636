// The download component against a loopback server: the request as sent, the success rule, the
// temporary file, progress on the interface thread, cancel and destruction.
#include "update/HTTPGet.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

#include "common/TestHome.h"
#include "update/LoopbackServer.h"

namespace krq::test {
namespace {

// The test's own thread as the interface thread: posted work runs while a test waits.
class TTestInterfaceThread final : public TInterfaceThread {
  public:
    void Post(std::function<void()> task) override {
        {
            std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        posted_.notify_all();
    }

    void WaitUntil(const std::function<bool()>& done) override {
        while (!done()) {
            std::function<void()> task;
            {
                std::unique_lock lock(mutex_);
                if (!posted_.wait_for(lock, std::chrono::seconds(20),
                                      [&] { return !tasks_.empty(); })) {
                    ADD_FAILURE() << "nothing arrived on the interface thread";
                    return;
                }
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
        }
    }

    // Runs what is already queued, without waiting.
    void Drain() {
        for (;;) {
            std::function<void()> task;
            {
                std::lock_guard lock(mutex_);
                if (tasks_.empty()) return;
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
        }
    }

  private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
};

struct TProgress {
    int Total;
    int Readed;
    std::thread::id Thread;
};

class HTTPGetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The system proxy settings must not send loopback requests elsewhere.
        for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
            unsetenv(name);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = MakeTempDir(std::string("http.") + info->name());
        get.OnProgress = [this](int total, int readed) {
            progress.push_back({total, readed, std::this_thread::get_id()});
        };
        get.OnDoneFile = [this](const std::string& name, int size) {
            doneName = name;
            doneSize = size;
            ++done;
        };
        get.OnError = [this] { ++errors; };
    }

    // The server has the request, so the worker is waiting for an answer.
    void WaitForRequest() {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (server.RequestCount() == 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        ASSERT_EQ(server.RequestCount(), 1u);
    }

    std::string Url(const std::string& path) const { return server.Host() + path; }
    std::string Path(const std::string& name) const { return dir + "/" + name; }

    // Downloads `path` to `name` and waits for the end.
    void Download(const std::string& path, const std::string& name = "out.bin") {
        get.URL = Url(path);
        get.FileName = Path(name);
        get.DownloadToFile();
    }

    // Only the named files are in the directory: no temporary file was left behind.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TLoopbackServer server;
    TTestInterfaceThread ui;
    THTTPGet get{ui};
    std::string dir;
    std::vector<TProgress> progress;
    std::string doneName;
    int doneSize = -1;
    int done = 0;
    int errors = 0;
};

std::string Body(size_t size) {
    std::string body(size, '\0');
    for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>('a' + i % 26);
    return body;
}

TEST_F(HTTPGetTest, GetIsAnHttp10RequestWithAcceptAndAgentAndTheBodyArrivesInBlocks) {
    const std::string body = Body(5000);
    server.Serve("/krq/latestversion-testnew.ini", HttpReply("200 OK", body));
    get.URL = "hTTp://" + Url("/krq/latestversion-testnew.ini");
    get.FileName = Path("out.bin");
    get.DownloadToFile();

    ASSERT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(server.Requests()[0],
              "GET /krq/latestversion-testnew.ini HTTP/1.0\r\n"
              "Host: " +
                  server.Host() +
                  "\r\n"
                  "User-Agent: KRQ HTTPGet\r\n"
                  "Accept: */*\r\n"
                  "\r\n");
    EXPECT_EQ(done, 1);
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(doneName, Path("out.bin"));
    EXPECT_EQ(doneSize, 5000);
    EXPECT_EQ(ReadFile(Path("out.bin")), body);
    EXPECT_EQ(Files(), std::vector<std::string>{"out.bin"});

    ASSERT_GE(progress.size(), 5u);
    int previous = 0;
    for (const TProgress& p : progress) {
        EXPECT_EQ(p.Total, 5000);
        EXPECT_GT(p.Readed, previous);
        EXPECT_LE(p.Readed - previous, 1025);
        EXPECT_EQ(p.Thread, std::this_thread::get_id());
        previous = p.Readed;
    }
    EXPECT_EQ(previous, 5000);
    EXPECT_FALSE(get.Busy());
}

TEST_F(HTTPGetTest, PostCarriesTheFormBodyRefererAndCredentials) {
    server.Serve("/form", HttpReply("200 OK", "ok"));
    get.PostQuery = "a=1&b=2";
    get.Referer = "http://ref.example/";
    get.UserName = "u";
    get.Password = "p";
    get.AcceptTypes = "text/plain";
    get.Agent = "";
    Download("/form");
    ASSERT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(server.Requests()[0],
              "POST /form HTTP/1.0\r\n"
              "Host: " +
                  server.Host() +
                  "\r\n"
                  "Authorization: Basic dTpw\r\n"
                  "Referer: http://ref.example/\r\n"
                  "Accept: text/plain\r\n"
                  "Content-Type: application/x-www-form-urlencoded\r\n"
                  "Content-Length: 7\r\n"
                  "\r\n"
                  "a=1&b=2");
    EXPECT_EQ(done, 1);
    EXPECT_EQ(ReadFile(Path("out.bin")), "ok");
}

// Success needs a 2xx status and exactly the announced number of bytes; anything else keeps an
// existing file of the chosen name as it was and leaves no partial file.
TEST_F(HTTPGetTest, EveryFailureKeepsTheExistingFileAndRemovesThePartialOne) {
    struct TCase {
        const char* What;
        TReply Reply;
        bool Binary = false;
    };
    const std::string body = Body(3000);
    std::vector<TCase> cases = {
        {"no Content-Length with a body", HttpReply("200 OK", body, std::nullopt, false)},
        {"shorter than announced", HttpReply("200 OK", body, "4000")},
        {"longer than announced", HttpReply("200 OK", body, "2000")},
        {"a length that is no number", HttpReply("200 OK", body, "12x")},
        {"an error page with a correct length", HttpReply("404 Not Found", body)},
        {"a server error", HttpReply("500 Internal Server Error", "")},
        {"a redirect", HttpReply("302 Found", "")},
        {"no length, binary data", HttpReply("200 OK", body, std::nullopt, false), true},
        {"a reset connection", {HttpReply("200 OK", body, "9000").Bytes, TReply::TEnd::Reset}},
        {"no answer at all", {"", TReply::TEnd::Close}},
    };
    for (TCase& c : cases) {
        SCOPED_TRACE(c.What);
        WriteFile(Path("krq.exe"), "OLD");
        server.Serve("/krq.exe", c.Reply);
        get.BinaryData = c.Binary;
        const int errorsBefore = errors;
        Download("/krq.exe", "krq.exe");
        EXPECT_EQ(errors, errorsBefore + 1);
        EXPECT_EQ(done, 0);
        EXPECT_EQ(ReadFile(Path("krq.exe")), "OLD");
        EXPECT_EQ(Files(), std::vector<std::string>{"krq.exe"});
        EXPECT_FALSE(get.Busy());
    }
}

TEST_F(HTTPGetTest, AnEmptyBodyWithoutLengthSucceedsAndOverwritesAnExistingFile) {
    WriteFile(Path("out.bin"), "OLD CONTENTS");
    server.Serve("/empty", HttpReply("200 OK", "", std::nullopt, false));
    Download("/empty");
    EXPECT_EQ(done, 1);
    EXPECT_EQ(doneSize, 0);
    EXPECT_EQ(ReadFile(Path("out.bin")), "");
    EXPECT_TRUE(progress.empty());

    server.Serve("/new", HttpReply("204 No Content", "", "0"));
    WriteFile(Path("out.bin"), "OLD CONTENTS");
    Download("/new");
    EXPECT_EQ(done, 2);
    EXPECT_EQ(ReadFile(Path("out.bin")), "");
}

TEST_F(HTTPGetTest, ARefusedConnectionFails) {
    int port;
    {
        TLoopbackServer closed;
        port = closed.Port();
    }
    get.URL = "127.0.0.1:" + std::to_string(port) + "/x";
    get.FileName = Path("out.bin");
    get.DownloadToFile();
    EXPECT_EQ(errors, 1);
    EXPECT_FALSE(std::filesystem::exists(Path("out.bin")));
}

TEST_F(HTTPGetTest, CancelDuringTheBodyFailsAndKeepsTheExistingFile) {
    TReply partial = HttpReply("200 OK", Body(2000), "100000");
    partial.End = TReply::TEnd::Hang;
    server.Serve("/krq.exe", partial);
    WriteFile(Path("krq.exe"), "OLD");
    get.OnProgress = [this](int, int readed) {
        if (readed >= 2000) get.CancelDownload();
    };
    Download("/krq.exe", "krq.exe");
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(done, 0);
    EXPECT_EQ(ReadFile(Path("krq.exe")), "OLD");
    EXPECT_EQ(Files(), std::vector<std::string>{"krq.exe"});
}

TEST_F(HTTPGetTest, ASilentServerIsCancelledAndASecondStartMeanwhileIsIgnored) {
    server.Serve("/x", {"", TReply::TEnd::Hang});
    get.WaitThread = false;
    Download("/x");
    EXPECT_TRUE(get.Busy());
    WaitForRequest();
    get.DownloadToFile();  // ignored: one worker per component
    get.CancelDownload();
    ui.WaitUntil([&] { return !get.Busy(); });
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(done, 0);
    EXPECT_EQ(server.RequestCount(), 1u);
}

TEST_F(HTTPGetTest, DestroyingTheComponentStopsItsWorkerWithoutReporting) {
    server.Serve("/x", {"", TReply::TEnd::Hang});
    int reported = 0;
    {
        THTTPGet local(ui);
        local.WaitThread = false;
        local.OnError = [&] { ++reported; };
        local.OnDoneFile = [&](const std::string&, int) { ++reported; };
        local.URL = Url("/x");
        local.FileName = Path("out.bin");
        local.DownloadToFile();
        WaitForRequest();
    }
    ui.Drain();
    EXPECT_EQ(reported, 0);
    EXPECT_FALSE(std::filesystem::exists(Path("out.bin")));
}

TEST(SplitUrlTest, HostIsBeforeTheFirstSlashAfterAnOptionalScheme) {
    EXPECT_EQ(SplitUrl("host.example/a/b.ini").Host, "host.example");
    EXPECT_EQ(SplitUrl("host.example/a/b.ini").Path, "/a/b.ini");
    EXPECT_EQ(SplitUrl("HTTP://host.example:8080/krq.exe").Host, "host.example:8080");
    EXPECT_EQ(SplitUrl("http://host.example:8080/krq.exe").Path, "/krq.exe");
    EXPECT_EQ(SplitUrl("host.example").Path, "/");
}

}  // namespace
}  // namespace krq::test

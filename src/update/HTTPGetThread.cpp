// The download worker on libcurl.
#include "update/HTTPGetThread.h"

#include <curl/curl.h>
#include <strings.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>
#include <mutex>

#include "platform/files/filewriter.h"

namespace krq {

namespace {

// Blocks handed to the file and to the progress report, as the platform's reads return them.
constexpr size_t kBlockSize = 1025;
// The announced length is read into a buffer of this size; a longer value is no number.
constexpr size_t kLengthBuffer = 1024;

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() &&
           (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && ::strncasecmp(s.data(), prefix.data(), prefix.size()) == 0;
}

// What one transfer has learnt so far; touched only by the worker.
struct TTransfer {
    THTTPGetThread::THooks* Hooks;
    const std::atomic<bool>* Stop;
    const THTTPGetSettings* Settings;
    int Fd;
    long Status = 0;
    bool HasLength = false;
    bool BadLength = false;
    long long Length = 0;
    long long Count = 0;
    bool Refused = false;  // the headers or the body ruled the response out
};

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<TTransfer*>(user);
    const size_t bytes = size * count;
    std::string_view line(data, bytes);
    if (t->Stop->load()) return 0;
    if (StartsWithNoCase(line, "HTTP/")) {
        // A new response begins (after an interim 1xx one): forget what the last one said.
        t->Status = 0;
        t->HasLength = false;
        t->BadLength = false;
        t->Length = 0;
        auto space = line.find(' ');
        if (space != line.npos)
            t->Status = std::strtol(std::string(line.substr(space + 1, 3)).c_str(), nullptr, 10);
        return bytes;
    }
    if (StartsWithNoCase(line, "Content-Length:")) {
        std::string_view value = Trimmed(line.substr(15));
        t->HasLength = true;
        t->BadLength = value.empty() || value.size() >= kLengthBuffer ||
                       value.find_first_not_of("0123456789") != value.npos;
        if (!t->BadLength) {
            t->Length = std::strtoll(std::string(value).c_str(), nullptr, 10);
            // The sizes are reported as 32-bit integers.
            if (t->Length > INT_MAX) t->BadLength = true;
        }
        return bytes;
    }
    if (Trimmed(line).empty() && t->Status >= 200) {
        // The headers are complete: the body is read only when it can still succeed.
        const bool refused =
            t->Status > 299 || t->BadLength || (!t->HasLength && t->Settings->BinaryData);
        if (refused) {
            t->Refused = true;
            return 0;
        }
    }
    return bytes;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<TTransfer*>(user);
    const size_t bytes = size * count;
    size_t done = 0;
    while (done < bytes) {
        if (t->Stop->load()) return 0;
        const size_t block = std::min(kBlockSize, bytes - done);
        if (!WriteFully(t->Fd, data + done, block)) return 0;
        t->Count += static_cast<long long>(block);
        done += block;
        if (t->Count > INT_MAX) {
            t->Refused = true;
            return 0;
        }
        if (t->Hooks->Progress)
            t->Hooks->Progress(static_cast<int>(t->HasLength ? t->Length : 0),
                               static_cast<int>(t->Count));
    }
    return bytes;
}

}  // namespace

TUrlParts SplitUrl(std::string_view url) {
    if (StartsWithNoCase(url, "http://")) url.remove_prefix(7);
    const auto slash = url.find('/');
    if (slash == url.npos) return {std::string(url), "/"};
    return {std::string(url.substr(0, slash)), std::string(url.substr(slash))};
}

THTTPGetThread::THTTPGetThread(THTTPGetSettings settings, THooks hooks)
    : settings_(std::move(settings)), hooks_(std::move(hooks)) {
    InitCurlOnce();
    multi_ = curl_multi_init();
}

THTTPGetThread::~THTTPGetThread() {
    Stop();
    Join();
    if (multi_) curl_multi_cleanup(static_cast<CURLM*>(multi_));
}

void THTTPGetThread::Start() {
    thread_ = std::thread([this] { run(); });
}

void THTTPGetThread::Stop() {
    stop_.store(true);
    if (multi_) curl_multi_wakeup(static_cast<CURLM*>(multi_));
}

void THTTPGetThread::Join() {
    if (thread_.joinable()) thread_.join();
}

void THTTPGetThread::run() {
    int totalSize = 0;
    bool ok = false;
    if (!stop_.load() && multi_) {
        // The body goes to a temporary file beside the chosen name, which replaces the file
        // only once the download is complete: a failure leaves whatever was there untouched.
        // The size is unknown beforehand; it matters only to a rewrite in place, never done here.
        try {
            WriteFileSafely(settings_.FileName, 0, [&](int fd) { return Transfer(fd, totalSize); });
            ok = true;
        } catch (const std::exception&) {
            ok = false;
        }
    }
    if (hooks_.Finished) hooks_.Finished(ok && !stop_.load(), totalSize);
}

bool THTTPGetThread::Transfer(int fd, int& totalSize) {
    if (stop_.load()) return false;
    CURL* easy = curl_easy_init();
    if (!easy) return false;
    const TUrlParts parts = SplitUrl(settings_.URL);
    const std::string url = "http://" + parts.Host + parts.Path;

    TTransfer t{&hooks_, &stop_, &settings_, fd};
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, ("Accept: " + settings_.AcceptTypes).c_str());
    if (!settings_.PostQuery.empty())
        headers = curl_slist_append(headers, "Content-Type: application/x-www-form-urlencoded");

    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    if (!settings_.Agent.empty())
        curl_easy_setopt(easy, CURLOPT_USERAGENT, settings_.Agent.c_str());
    if (!settings_.Referer.empty())
        curl_easy_setopt(easy, CURLOPT_REFERER, settings_.Referer.c_str());
    if (!settings_.UserName.empty()) {
        curl_easy_setopt(easy, CURLOPT_USERNAME, settings_.UserName.c_str());
        curl_easy_setopt(easy, CURLOPT_PASSWORD, settings_.Password.c_str());
    }
    if (!settings_.PostQuery.empty()) {
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE,
                         static_cast<long>(settings_.PostQuery.size()));
        curl_easy_setopt(easy, CURLOPT_COPYPOSTFIELDS, settings_.PostQuery.c_str());
    }
    // The body is read to the end of the connection and its length compared with the header
    // here, so that a body longer than announced fails as a shorter one does.
    curl_easy_setopt(easy, CURLOPT_IGNORE_CONTENT_LENGTH, 1L);
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, static_cast<long>(kBlockSize));
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &t);

    auto* multi = static_cast<CURLM*>(multi_);
    curl_multi_add_handle(multi, easy);
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    for (;;) {
        if (stop_.load()) break;
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) break;
        if (running == 0) {
            int left = 0;
            while (CURLMsg* msg = curl_multi_info_read(multi, &left))
                if (msg->msg == CURLMSG_DONE && msg->easy_handle == easy) result = msg->data.result;
            break;
        }
        // Stop() wakes this wait, so a cancel takes effect at once even when the server
        // never answers.
        if (curl_multi_poll(multi, nullptr, 0, 1000, nullptr) != CURLM_OK) break;
    }
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    curl_multi_remove_handle(multi, easy);
    curl_easy_cleanup(easy);
    curl_slist_free_all(headers);

    totalSize = t.HasLength && !t.BadLength ? static_cast<int>(t.Length) : 0;
    // The announced length must match what came; no length means an empty body. Any status
    // other than 2xx is a failure, so an error page is never taken for the file.
    return result == CURLE_OK && !stop_.load() && !t.Refused && status >= 200 && status <= 299 &&
           t.Count == (t.HasLength ? t.Length : 0);
}

}  // namespace krq

// krq-convert: applies one of the editor's conversions to standard input or to files in place.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "convert/unBase.h"
#include "convert/unBatch.h"
#include "platform/encoding.h"
#include "platform/errors.h"
#include "platform/files/filereader.h"
#include "platform/files/filewriter.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFileFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kVersion = "4.0 alpha";

void PrintUsage(std::FILE* out) {
    std::fputs(
        "Usage: krq-convert CONVERSION [FILE...]\n"
        "Applies a Kwerdel RQ text conversion to Windows-1250 text.\n"
        "\n"
        "Without FILE, converts standard input to standard output, bytes as they are.\n"
        "With FILEs, converts each file in place line by line: lines end at CR LF, CR or LF\n"
        "and are written back each followed by CR LF. Files whose owner-write permission\n"
        "is clear are skipped.\n"
        "\n"
        "CONVERSION is a code 1-19 or a name such as ISOCode or DelHTML (any letter case).\n"
        "\n"
        "Options:\n"
        "  -e, --encoding ENC  the text's encoding: windows-1250 (default), iso-8859-2 or\n"
        "             utf-8; it is decoded, converted and written back in ENC. A text with\n"
        "             characters that Windows-1250 lacks is refused and never written.\n"
        "  --list     list the conversions\n"
        "  --help     show this help\n"
        "  --version  show the version\n"
        "\n"
        "Exit status: 0 success, 1 a file could not be converted, 2 usage error.\n",
        out);
}

void PrintList() {
    for (const krq::TConversion& c : krq::tblConversions)
        std::printf("%2d  %-18s  %s\n", c.Code, c.Name + 3, c.Caption);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

// The conversion named by a code or by its function's name without "fnc"; nullptr if none.
const krq::TConversion* ParseConversion(std::string_view arg) {
    if (!arg.empty() && arg.size() <= 2 && arg.find_first_not_of("0123456789") == arg.npos)
        return krq::FindConversion(std::stoi(std::string(arg)));
    for (const krq::TConversion& c : krq::tblConversions)
        if (EqualsIgnoringCase(arg, c.Name + 3)) return &c;
    return nullptr;
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "krq-convert: %s (try --help)\n", message.c_str());
    return kExitUsage;
}

// Standard input redirected from a file is mapped rather than read: no copy, and none of the
// page faults of a fresh buffer as large as the file.
class MappedInput {
  public:
    explicit MappedInput(int fd) {
        struct stat info;
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) return;
        size_ = static_cast<size_t>(info.st_size);
        void* data = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (data == MAP_FAILED) {
            size_ = 0;
            return;
        }
        data_ = static_cast<const char*>(data);
    }
    MappedInput(const MappedInput&) = delete;
    MappedInput& operator=(const MappedInput&) = delete;
    ~MappedInput() {
        if (data_) ::munmap(const_cast<char*>(data_), size_);
    }
    bool Mapped() const { return data_ != nullptr; }
    std::string_view Bytes() const { return {data_, size_}; }

  private:
    const char* data_ = nullptr;
    size_t size_ = 0;
};

int ConvertStream(const krq::TConversion& conversion, krq::TDocEncoding encoding) {
    std::string output;
    if (encoding != krq::TDocEncoding::Windows1250) {
        std::string bytes;
        if (!krq::ReadAllFromDescriptor(STDIN_FILENO, bytes)) {
            std::fprintf(stderr, "krq-convert: cannot read standard input: %s\n",
                         std::strerror(errno));
            return kExitFileFailed;
        }
        try {
            krq::TDocEncoding back = krq::DecodeOrRaise(bytes, encoding, "standard input");
            output = krq::EncodeOrRaise(conversion.Function(bytes), back, "standard input");
        } catch (const krq::EKrqError& error) {
            std::fprintf(stderr, "krq-convert: %s\n", error.what());
            return kExitFileFailed;
        }
    } else if (MappedInput input(STDIN_FILENO); input.Mapped()) {
        output = conversion.Function(input.Bytes());
    } else {
        std::string bytes;
        if (!krq::ReadAllFromDescriptor(STDIN_FILENO, bytes)) {
            std::fprintf(stderr, "krq-convert: cannot read standard input: %s\n",
                         std::strerror(errno));
            return kExitFileFailed;
        }
        output = conversion.Function(bytes);
    }
    if (!krq::WriteFully(STDOUT_FILENO, output.data(), output.size())) {
        std::fprintf(stderr, "krq-convert: cannot write standard output: %s\n",
                     std::strerror(errno));
        return kExitFileFailed;
    }
    return kExitOk;
}

int ConvertFiles(const krq::TConversion& conversion, const std::vector<std::string>& files,
                 krq::TDocEncoding encoding) {
    int status = kExitOk;
    for (const std::string& file : files) {
        struct stat info;
        if (::stat(file.c_str(), &info) != 0) {
            std::fprintf(stderr, "krq-convert: Cannot open file %s: %s\n", file.c_str(),
                         std::strerror(errno));
            status = kExitFileFailed;
            continue;
        }
        if (krq::IsFileReadOnly(file)) {
            std::fprintf(stderr, "krq-convert: skipping read-only file %s\n", file.c_str());
            continue;
        }
        try {
            krq::ConvertFile(file, conversion.Code, encoding);
        } catch (const krq::EKrqError& error) {
            std::fprintf(stderr, "krq-convert: %s\n", error.what());
            status = kExitFileFailed;
        }
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const krq::TConversion* conversion = nullptr;
    std::vector<std::string> files;
    krq::TDocEncoding encoding = krq::TDocEncoding::Windows1250;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            if (arg == "--") {
                optionsEnded = true;
            } else if (arg == "-e" || arg == "--encoding" || arg.starts_with("--encoding=")) {
                std::string_view name;
                if (arg.starts_with("--encoding="))
                    name = arg.substr(11);
                else if (i + 1 < argc)
                    name = argv[++i];
                else
                    return UsageError(std::string(arg) + " needs an encoding");
                auto chosen = krq::EncodingFromName(name);
                // The mark is kept or left as the input has it, so it is no choice here.
                if (!chosen || *chosen == krq::TDocEncoding::Utf8Bom)
                    return UsageError("unknown encoding " + std::string(name));
                encoding = *chosen;
            } else if (arg == "--help" || arg == "-h") {
                PrintUsage(stdout);
                return kExitOk;
            } else if (arg == "--version") {
                std::printf("krq-convert %s\n", kVersion);
                return kExitOk;
            } else if (arg == "--list") {
                PrintList();
                return kExitOk;
            } else {
                return UsageError("unknown option " + std::string(arg));
            }
        } else if (!conversion) {
            conversion = ParseConversion(arg);
            if (!conversion) return UsageError("unknown conversion " + std::string(arg));
        } else {
            files.emplace_back(arg);
        }
    }
    if (!conversion) return UsageError("no conversion given");
    return files.empty() ? ConvertStream(*conversion, encoding)
                         : ConvertFiles(*conversion, files, encoding);
}

// Running one conversion over a list of files, as the batch window does, without any window.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace krq {

struct TBatchFailure {
    std::string Path;
    std::string Message;  // the runtime's English message, e.g. "Cannot open file /a/b.txt"
};

struct TBatchResult {
    int Written = 0;  // files read, converted and replaced
    std::vector<TBatchFailure> Failures;
};

// Converts every path in order through the batch file rule, each in the encoding it is found to
// be in (written back in it; one with characters Windows-1250 lacks fails); a file that cannot be
// read or written is recorded and skipped, so one bad file never ends the run. `beforeFile` is told
// the 0-based index of each file before it is touched.
TBatchResult ConvertFileList(const std::vector<std::string>& paths, int code,
                             const std::function<void(size_t index)>& beforeFile);

}  // namespace krq

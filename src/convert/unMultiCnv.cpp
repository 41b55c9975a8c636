// Running one conversion over a list of files, as the batch window does, without any window.
#include "convert/unMultiCnv.h"

#include <exception>

#include "convert/unBatch.h"

namespace krq {

TBatchResult ConvertFileList(const std::vector<std::string>& paths, int code,
                             const std::function<void(size_t index)>& beforeFile) {
    TBatchResult result;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (beforeFile) beforeFile(i);
        try {
            ConvertFile(paths[i], code);
            ++result.Written;
        } catch (const std::exception& e) {
            result.Failures.push_back({paths[i], e.what()});
        }
    }
    return result;
}

}  // namespace krq

// The runtime's English error messages.
#include "platform/errors.h"

#include <cstring>

namespace krq {

std::string FormatMessage(const char* pattern, const std::string& argument) {
    std::string out(pattern);
    if (auto at = out.find("%s"); at != std::string::npos) out.replace(at, 2, argument);
    return out;
}

void RaiseCannotOpen(const std::string& path) {
    throw EKrqError(FormatMessage("Cannot open file %s", path));
}

void RaiseCannotCreate(const std::string& path) {
    throw EKrqError(FormatMessage("Cannot create file %s", path));
}

void RaiseUnableToWrite(const std::string& path) {
    throw EKrqError(FormatMessage("Unable to write to %s", path));
}

}  // namespace krq

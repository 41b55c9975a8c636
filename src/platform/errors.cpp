// The runtime's English error messages.
#include "platform/errors.h"

#include <cstring>

namespace krq {

std::string formatMessage(const char* pattern, const std::string& argument) {
    std::string out(pattern);
    if (auto at = out.find("%s"); at != std::string::npos) out.replace(at, 2, argument);
    return out;
}

void raiseCannotOpen(const std::string& path) {
    throw EKrqError(formatMessage("Cannot open file %s", path));
}

void raiseCannotCreate(const std::string& path) {
    throw EKrqError(formatMessage("Cannot create file %s", path));
}

void raiseUnableToWrite(const std::string& path) {
    throw EKrqError(formatMessage("Unable to write to %s", path));
}

}  // namespace krq

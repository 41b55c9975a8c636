// The one error type of the program: a failure carrying the runtime's English message.
#pragma once

#include <stdexcept>
#include <string>

namespace krq {

// Every failure of a file, settings or clipboard operation is thrown as EKrqError; the
// standard error report shows what() with a full stop appended.
class EKrqError : public std::runtime_error {
  public:
    explicit EKrqError(const std::string& message) : std::runtime_error(message) {}
};

// "Cannot open file %s" and its siblings: the message with %s replaced by the argument.
std::string FormatMessage(const char* pattern, const std::string& argument);

[[noreturn]] void RaiseCannotOpen(const std::string& path);
[[noreturn]] void RaiseCannotCreate(const std::string& path);
[[noreturn]] void RaiseUnableToWrite(const std::string& path);

}  // namespace krq

// Where the program finds its files: the executable's directory, or KRQ_HOME when set.
#pragma once

#include <string>

namespace krq {

// The program directory without a trailing "/".
std::string ProgramDir();

// The program directory joined with a relative path such as "krq.ini" or "data/proposal.dat".
std::string ProgramFile(const std::string& relative);

}  // namespace krq

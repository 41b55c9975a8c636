// mailto: addresses with a percent-encoded body, so "&", "#", "%" and "?" reach the mail
// program as text instead of cutting or mangling it.
#pragma once

#include <string>
#include <string_view>

namespace krq {

// Every byte of `utf8` except the unreserved characters (letters, digits, "-._~") as %XX.
std::string PercentEncode(std::string_view utf8);

// "mailto:?body=" followed by the Windows-1250 text in UTF-8, percent-encoded.
std::string MailToBody(std::string_view cp1250Text);

}  // namespace krq

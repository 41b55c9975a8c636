#include "app/help/unMailTo.h"

#include "platform/cp1250.h"

namespace krq {

std::string PercentEncode(std::string_view utf8) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(utf8.size() * 3);
    for (char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        const bool unreserved = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') ||
                                (b >= '0' && b <= '9') || b == '-' || b == '.' || b == '_' ||
                                b == '~';
        if (unreserved) {
            out += c;
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    return out;
}

std::string MailToBody(std::string_view cp1250Text) {
    return "mailto:?body=" + PercentEncode(cp1250::ToUtf8(cp1250Text));
}

}  // namespace krq

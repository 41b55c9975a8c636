// The makers' addresses the Help menu opens; placeholders under a reserved domain.
#pragma once

namespace krq::addresses {

inline constexpr const char* kHomePage = "https://kwerdel-rq.example/";
inline constexpr const char* kSubscriptionMailbox = "subskrypcja@kwerdel-rq.example";
inline constexpr const char* kSubscriptionSubject = "Subskrypcja KRQ 4.0 alpha";

}  // namespace krq::addresses

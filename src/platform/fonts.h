// Fonts named by the settings and forms that a Linux machine may lack.
#pragma once

#include <QFont>

namespace krq {

// The font with its stored family kept; when this system lacks the family, the system
// monospace font is drawn in its place (as for "Fixedsys").
QFont WithMonospaceFallback(const QFont& font);

}  // namespace krq

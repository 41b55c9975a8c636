// The settings file of the program directory.
#pragma once

#include "platform/files/inifile.h"

namespace krq {

// krq.ini in the program directory; a new accessor for each operation.
TIniFile SettingsFile();

}  // namespace krq

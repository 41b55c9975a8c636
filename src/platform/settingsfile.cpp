// The settings file of the program directory.
#include "platform/settingsfile.h"

#include "platform/programdir.h"

namespace krq {

TIniFile SettingsFile() { return TIniFile(ProgramFile("krq.ini")); }

}  // namespace krq

// File names between Qt's strings and the bytes the file system takes.
#pragma once

#include <QString>
#include <string>

namespace krq {

// A file name as the file system wants it, and back.
std::string FsName(const QString& name);
QString FromFsName(const std::string& name);

}  // namespace krq

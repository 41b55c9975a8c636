// File names between Qt's strings and the bytes the file system takes.
#include "platform/fsname.h"

#include <QByteArray>
#include <QFile>

namespace krq {

std::string FsName(const QString& name) { return QFile::encodeName(name).toStdString(); }

QString FromFsName(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

}  // namespace krq

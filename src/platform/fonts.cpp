// The fallback is given as a second family, so the stored name still reads back unchanged.
#include "platform/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace krq {

QFont WithMonospaceFallback(const QFont& font) {
    QFont shown = font;
    const QString name = font.family();
    if (!QFontDatabase::hasFamily(name))
        shown.setFamilies({name, QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    return shown;
}

}  // namespace krq

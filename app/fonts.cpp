#include "app/fonts.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>

namespace {

const QString WINE_FONT_FOLDER = QStringLiteral("/usr/share/wine/fonts");

}  // namespace

void use_designed_fonts()
{
    const QDir folder(WINE_FONT_FOLDER);
    for (const char* file : {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"}) {
        const QString path = folder.filePath(QString::fromLatin1(file));
        if (QFile::exists(path)) QFontDatabase::addApplicationFont(path);
    }
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Comic sans ms"), QStringLiteral("Comic Neue"));
}

#include "view/pictures/table_picture_search.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString path_in(const QString& folder, const QString& file)
{
    return folder.isEmpty() ? file : QDir(folder).filePath(file);
}

QString folder_name(const QString& folder)
{
    return folder.isEmpty() ? QDir::currentPath() : QDir::cleanPath(QDir(folder).absolutePath());
}

// "a", "a and b", "a, b and c".
QString listed(const QStringList& names)
{
    if (names.size() < 2) return names.value(0);
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + names.last();
}

}  // namespace

TablePictureLoad find_table_picture(const QString& file, const QStringList& folders)
{
    QStringList searched;
    for (const QString& folder : folders) {
        const QString path = path_in(folder, file);
        if (QFileInfo::exists(path)) return load_table_picture(path);
        searched << folder_name(folder);
    }
    return {QImage(), file + QStringLiteral(": the file is missing (looked in ") + listed(searched) + QStringLiteral(")")};
}

#include "app/picture_folders.h"

#include <QCoreApplication>

QStringList game_picture_folders()
{
    const QString program_folder = QCoreApplication::applicationDirPath();
    return {QString(), program_folder + QStringLiteral("/" CORVENNE_DATA_FROM_BINDIR), program_folder};
}

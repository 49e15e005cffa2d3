#include "resources/resourcefiles.h"

#include <QFile>

QByteArray ResourceFiles::Read(const char *path)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

#include "data/safesave.h"

#include <QFileInfo>
#include <QSaveFile>

bool SaveFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write, QString *error)
{
    // A rename would replace a read-only file without a word: refuse it, as
    // writing into it would fail. The owner's write bit counts even for
    // root, who may write anything, so that read-only means read-only.
    const QFileInfo target(path);
    if (target.exists() && (!target.isWritable() || !(target.permissions() & QFile::WriteOwner))) {
        if (error)
            *error = QStringLiteral("the file is read-only");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!write(file)) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

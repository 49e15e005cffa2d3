#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// Every file Lodex reads is opened this way: without blocking (a FIFO would
// wait for a writer for ever) and only when it is a regular file once links
// are followed, so that a device such as /dev/zero is refused at once
// rather than read without end. On failure `error` says why.
bool OpenRegularFile(QFile &file, const QString &path, QString *error);

// The whole of a regular file: as many bytes as its size said at opening,
// and none when that is more than `maxSize`.
bool ReadRegularFile(const QString &path, qint64 maxSize, QByteArray *contents, QString *error);

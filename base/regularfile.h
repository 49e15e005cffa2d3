#pragma once

#include <QByteArray>
#include <QString>

class QFile;
struct stat;

// Who a file is and when it last changed: enough to notice that another
// program wrote it, or put another file in its place, since we read it.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1; // -1: no file known
    qint64 modifiedNs = 0;

    static FileStamp Of(const struct stat &status);
    bool IsKnown() const { return size >= 0; }
    friend bool operator==(const FileStamp &a, const FileStamp &b)
    {
        return a.device == b.device && a.inode == b.inode && a.size == b.size && a.modifiedNs == b.modifiedNs;
    }
    friend bool operator!=(const FileStamp &a, const FileStamp &b) { return !(a == b); }
};

// Every file Lodex reads is opened this way: without blocking (a FIFO would
// wait for a writer for ever) and only when it is a regular file once links
// are followed, so that a device such as /dev/zero is refused at once
// rather than read without end. On failure `error` says why.
bool OpenRegularFile(QFile &file, const QString &path, QString *error, FileStamp *stamp = nullptr);

// The whole of a regular file: as many bytes as its size said at opening,
// and none when that is more than `maxSize`.
bool ReadRegularFile(const QString &path, qint64 maxSize, QByteArray *contents, QString *error);

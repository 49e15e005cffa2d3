#pragma once

#include <QByteArray>
#include <QStringList>

// The file group descriptor of a drag (the 8-bit-character form that
// Windows file managers read beside "FileContents"): a count, then one
// 332-byte descriptor per file announcing its name and size. Names are
// encoded in the local 8-bit encoding and cut so that a zero byte always
// ends them inside their 260-byte field.
constexpr int kFileDescriptorSize = 332;
constexpr int kFileDescriptorNameSize = 260;
QByteArray FileGroupDescriptor(const QStringList &fileNames, quint32 fileSize);

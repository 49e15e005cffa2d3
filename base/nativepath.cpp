#include "base/nativepath.h"

#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// The length of the valid UTF-8 sequence at `s`, or 0 when it is not one
// (overlong forms, surrogates and code points past U+10FFFF included).
int ValidSequenceLength(const unsigned char *s, qsizetype left)
{
    const unsigned char c = s[0];
    int length;
    unsigned char low = 0x80, high = 0xBF; // the second byte's range
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0)
            low = 0xA0;
        else if (c == 0xED)
            high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0)
            low = 0x90;
        else if (c == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (left < length || s[1] < low || s[1] > high)
        return 0;
    for (int i = 2; i < length; ++i)
        if ((s[i] & 0xC0) != 0x80)
            return 0;
    return length;
}

bool IsEscapedByte(char16_t c)
{
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF;
}

} // namespace

QString PathFromNative(QByteArrayView bytes)
{
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    QString path;
    path.reserve(size);
    qsizetype runStart = 0; // the valid UTF-8 not yet decoded
    for (qsizetype i = 0; i < size;) {
        const int length = ValidSequenceLength(s + i, size - i);
        if (length > 0) {
            i += length;
            continue;
        }
        path += QString::fromUtf8(bytes.sliced(runStart, i - runStart));
        path += QChar(char16_t(kEscapeBase + s[i]));
        runStart = ++i;
    }
    path += QString::fromUtf8(bytes.sliced(runStart));
    return path;
}

QByteArray NativePath(QStringView path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path[i].unicode();
        // A low surrogate after a high one is half of a real character.
        if (!IsEscapedByte(c) || (i > 0 && path[i - 1].isHighSurrogate()))
            continue;
        bytes += path.sliced(runStart, i - runStart).toUtf8();
        bytes += char(c - kEscapeBase);
        runStart = i + 1;
    }
    bytes += path.sliced(runStart).toUtf8();
    return bytes;
}

bool IsExactPath(const QString &path)
{
    if (!path.contains(QChar::ReplacementCharacter))
        return true;
    struct stat status {};
    return ::lstat(NativePath(path).constData(), &status) == 0;
}

QStringList ArgumentsFromNative(int argc, const char *const *argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << PathFromNative(argv[i]);
    return arguments;
}

QString AbsolutePath(const QString &path)
{
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')))
        return path;
    QByteArray here(4096, '\0');
    if (!::getcwd(here.data(), std::size_t(here.size())))
        return QDir::current().filePath(path);
    here.truncate(qstrlen(here.constData()));
    return PathFromNative(here) + (here.endsWith('/') ? QString() : QStringLiteral("/")) + path;
}

bool SameFilePath(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    struct stat sa {}, sb {};
    if (::stat(NativePath(a).constData(), &sa) == 0 && ::stat(NativePath(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return AbsolutePath(a) == AbsolutePath(b);
}

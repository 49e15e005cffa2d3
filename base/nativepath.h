#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

// File names are bytes, and not every name is valid UTF-8: one written on
// an older system may hold Latin-1 bytes such as 0xFC. Qt's own decoding
// turns such a byte into U+FFFD, and encoding that back names another file.
//
// These two carry any name through a QString exactly: valid UTF-8 becomes
// its characters, and each byte that is not part of valid UTF-8 becomes
// the lone surrogate U+DC00 + byte, which no valid text holds. Every file
// the core opens or writes goes through NativePath().
QString PathFromNative(QByteArrayView bytes);
QByteArray NativePath(QStringView path);

// False when `path` holds a character that stands for bytes nobody knows
// any more (U+FFFD from a lossy decoding, as file dialogs return for a
// name that is not UTF-8) and no file has the name it encodes to: writing
// there would create or replace another file than the one the user meant.
bool IsExactPath(const QString &path);

// A command line's arguments after the program's name, each as
// PathFromNative() reads it, so that a file name given there is exact.
QStringList ArgumentsFromNative(int argc, const char *const *argv);

// `path` made absolute by putting the current folder before it, and never
// cleaned as text: "link/../x" means what the kernel makes of it (x beside
// the link's target), not "x" here.
QString AbsolutePath(const QString &path);

// Both name the same existing file, as the kernel resolves them; when
// either does not exist, their absolute paths are the same text.
bool SameFilePath(const QString &a, const QString &b);

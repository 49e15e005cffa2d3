#pragma once

#include <QByteArray>

#include <optional>

// The "[Default Applications]" group of a mimeapps.list file, read and
// changed one key at a time. Every other line of the file, comments and
// line ends included, stays byte for byte as it was.
namespace MimeAppsList {

// The default application recorded for `mimeType`, if any.
std::optional<QByteArray> DefaultFor(const QByteArray &text, const QByteArray &mimeType);

// `text` with the default for `mimeType` set to `desktopId`, or removed
// when `desktopId` is empty. The group is added when missing.
QByteArray WithDefault(const QByteArray &text, const QByteArray &mimeType,
                       const std::optional<QByteArray> &desktopId);

} // namespace MimeAppsList

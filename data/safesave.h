#pragma once

#include <QString>

#include <functional>

class QIODevice;

// Writes a whole file through a temporary file in the same folder, which
// replaces the target only once `write` has succeeded and the data is on
// disk: a failed write never harms the previous file. A read-only target is
// refused, as writing into it would fail. `write` answers false when a
// write to the device failed. On failure `error` says why.
bool SaveFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write, QString *error);

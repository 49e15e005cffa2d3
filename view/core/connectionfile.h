#pragma once

#include <QByteArray>

class CReflector;

// The .cu connection file of one reflector, as the client reads it: the IP
// address, CR LF, the conference ID and a fixed block of client settings,
// then zero bytes. Always exactly kConnectionFileSize bytes; a text that
// would not fit is cut so that at least one zero byte ends it. Line breaks
// in the address or ID are written as spaces.
constexpr int kConnectionFileSize = 215;
QByteArray ConnectionFile(const CReflector &record);

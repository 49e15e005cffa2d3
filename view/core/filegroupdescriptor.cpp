#include "view/core/filegroupdescriptor.h"

#include <QtEndian>

#include <cstring>

namespace {

constexpr quint32 kFlagFileSizeValid = 0x40;
constexpr int kFlagsOffset = 0;
constexpr int kSizeHighOffset = 64;
constexpr int kSizeLowOffset = 68;
constexpr int kNameOffset = 72;

QByteArray EncodedName(QString name)
{
    // Every character takes at least one byte: no more than the field can
    // fit, and no half of a surrogate pair left at the end.
    name.truncate(kFileDescriptorNameSize - 1);
    if (!name.isEmpty() && name.back().isHighSurrogate())
        name.chop(1);
    QByteArray encoded = name.toLocal8Bit();
    while (encoded.size() >= kFileDescriptorNameSize) {
        name.chop(name.size() >= 2 && name.back().isLowSurrogate() ? 2 : 1);
        encoded = name.toLocal8Bit();
    }
    return encoded;
}

} // namespace

QByteArray FileGroupDescriptor(const QStringList &fileNames, quint32 fileSize)
{
    QByteArray block(4 + kFileDescriptorSize * fileNames.size(), '\0');
    char *data = block.data();
    qToLittleEndian<quint32>(quint32(fileNames.size()), data);
    for (qsizetype i = 0; i < fileNames.size(); ++i) {
        char *descriptor = data + 4 + kFileDescriptorSize * i;
        qToLittleEndian<quint32>(kFlagFileSizeValid, descriptor + kFlagsOffset);
        qToLittleEndian<quint32>(0, descriptor + kSizeHighOffset);
        qToLittleEndian<quint32>(fileSize, descriptor + kSizeLowOffset);
        const QByteArray name = EncodedName(fileNames[i]);
        std::memcpy(descriptor + kNameOffset, name.constData(), std::size_t(name.size()));
    }
    return block;
}

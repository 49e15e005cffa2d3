// Feeds arbitrary bytes to the database reader: it must refuse or accept
// them whole, never crash, hang or allocate beyond what the input justifies.
#include "data/ldxfile.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ReflectorList list;
    QString error;
    const bool ok = LdxFile::Read(reinterpret_cast<const char *>(data), size, list, &error);
    if (ok) {
        // What was read must write back and read again to the same records.
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        LdxFile::Write(list, buffer);
        ReflectorList again;
        if (!LdxFile::Read(buffer.data().constData(), std::size_t(buffer.data().size()), again, &error)
            || again.size() != list.size())
            __builtin_trap();
        for (std::size_t i = 0; i < list.size(); ++i)
            for (int t = 0; t < CReflector::kTextCount; ++t)
                if (list[i]->Text(t) != again[i]->Text(t))
                    __builtin_trap();
    } else if (!list.empty()) {
        __builtin_trap();
    }
    return 0;
}

#include "data/ldxfile.h"

#include "data/archive.h"
#include "data/heapreservation.h"
#include "data/regularfile.h"
#include "data/safesave.h"

#include <QFile>

namespace {

constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTag = 0x8001;
constexpr uint16_t kLongTag = 0x7FFF;
constexpr uint32_t kClassBit = 0x80000000u;
constexpr char kClassName[] = "CReflector";
constexpr uint16_t kSchema = 1;

// The least a record can take in a file: a 2-byte tag, eight empty texts
// and four flags. Used to refuse impossible counts before allocating.
constexpr uint64_t kMinEntryBytes = 2 + 8 + 8;

// What a record takes on the heap at the least: the object and the
// allocator's header. Longer texts come on top.
constexpr std::size_t kRecordFootprint = (sizeof(CReflector) + 8 + 15) & ~std::size_t(15);

// Follows the index numbering of the format: the class description and
// every record take the next index in order of appearance.
class EntryReader
{
public:
    explicit EntryReader(CArchiveReader &ar) : m_ar(ar) {}

    // Reads one tag and, for a new class, its description. True when a
    // record body follows.
    bool ReadTag()
    {
        const uint16_t t = m_ar.ReadU16();
        uint32_t tag = (t == kLongTag) ? m_ar.ReadU32() : ((t & 0x7FFFu) | (uint32_t(t & 0x8000u) << 16));
        if (!m_ar.ok())
            return false;
        if (!(tag & kClassBit)) {
            // Null or a reference back to a record: a list entry must be a
            // record of its own.
            m_ar.fail(QStringLiteral("an entry refers to another object instead of holding a record"));
            return false;
        }
        if (t == kNewClassTag)
            return ReadClassDescription();
        const uint32_t index = tag & ~kClassBit;
        if (index == 0 || index > m_lastIndex || !IsClassIndex(index)) {
            m_ar.fail(QStringLiteral("an entry refers to an unknown class"));
            return false;
        }
        return true;
    }

    void RecordRead() { ++m_lastIndex; }

private:
    bool ReadClassDescription()
    {
        const uint16_t schema = m_ar.ReadU16();
        const uint16_t length = m_ar.ReadU16();
        if (!m_ar.ok())
            return false;
        if (length >= 64) {
            m_ar.fail(QStringLiteral("the class name is too long"));
            return false;
        }
        if (!m_ar.Need(length))
            return false;
        char name[64];
        for (uint16_t i = 0; i < length; ++i)
            name[i] = char(m_ar.ReadU8());
        if (std::string_view(name, length) != kClassName) {
            m_ar.fail(QStringLiteral("the file does not hold reflectors"));
            return false;
        }
        if (schema != kSchema) {
            m_ar.fail(QStringLiteral("the file was written by an unknown version (schema %1)").arg(schema));
            return false;
        }
        m_classIndexes.push_back(++m_lastIndex);
        return true;
    }

    bool IsClassIndex(uint32_t index) const
    {
        for (uint32_t c : m_classIndexes)
            if (c == index)
                return true;
        return false;
    }

    CArchiveReader &m_ar;
    uint32_t m_lastIndex = 0;
    std::vector<uint32_t> m_classIndexes;
};

} // namespace

namespace LdxFile {

static bool ReadList(CArchiveReader &ar, ReflectorList &out, QString *error)
{
    out.clear();
    if (ar.remaining() == 0)
        return true;

    uint64_t count = ar.ReadU16();
    if (count == 0xFFFF)
        count = ar.ReadU32();
    if (ar.ok() && count * kMinEntryBytes > ar.remaining())
        ar.fail(QStringLiteral("the record count %1 is more than the file can hold").arg(count));

    EntryReader entries(ar);
    if (!ar.ok())
        count = 0;
    out.reserve(std::size_t(count));
    // Texts too long to sit inside their record take at most the file's size.
    const CHeapReservation heap(std::size_t(count) * kRecordFootprint + std::size_t(ar.remaining()));
    for (uint64_t i = 0; i < count && ar.ok(); ++i) {
        if (!entries.ReadTag())
            break;
        auto record = std::make_unique<CReflector>();
        record->Serialize(ar);
        if (!ar.ok())
            break;
        entries.RecordRead();
        out.push_back(std::move(record));
    }
    if (!ar.ok()) {
        out.clear();
        out.shrink_to_fit();
        if (error)
            *error = ar.error();
        return false;
    }
    return true;
}

bool Read(const char *data, std::size_t size, ReflectorList &out, QString *error)
{
    CArchiveReader ar(data, size);
    return ReadList(ar, out, error);
}

bool Write(const ReflectorList &list, QIODevice &device)
{
    CArchiveWriter ar(&device);
    const std::size_t count = list.size();
    if (count < 0xFFFF) {
        ar.WriteU16(uint16_t(count));
    } else {
        ar.WriteU16(0xFFFF);
        ar.WriteU32(uint32_t(count));
    }
    bool first = true;
    for (const auto &record : list) {
        if (first) {
            ar.WriteU16(kNewClassTag);
            ar.WriteU16(kSchema);
            ar.WriteU16(uint16_t(sizeof kClassName - 1));
            ar.WriteBytes(kClassName, sizeof kClassName - 1);
            first = false;
        } else {
            ar.WriteU16(kClassTag);
        }
        record->Serialize(ar);
    }
    return ar.Flush();
}

LoadResult Load(const QString &path, ReflectorList &out, QString *error, FileStamp *stamp)
{
    QFile file;
    QString reason;
    if (!OpenRegularFile(file, path, &reason, stamp)) {
        if (error)
            *error = reason;
        return LoadResult::NotOpenable;
    }
    CArchiveReader ar(&file, uint64_t(file.size()));
    return ReadList(ar, out, error) ? LoadResult::Loaded : LoadResult::Malformed;
}

bool Save(const QString &path, const ReflectorList &list, QString *error)
{
    return SaveFileSafely(path, [&list](QIODevice &device) { return Write(list, device); }, error);
}

} // namespace LdxFile

#include "data/ldxfile.h"

#include "base/outofmemory.h"
#include "base/regularfile.h"
#include "base/safesave.h"
#include "data/archive.h"
#include "data/recordarena.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <optional>

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

// What a record takes in memory at the least: the object and its place in
// the list. Texts longer than a record holds inline come on top.
constexpr std::size_t kRecordFootprint = sizeof(CReflector) + sizeof(ReflectorList::value_type);

// Lists at least this long are read with huge pages (RecordArena::BulkScope).
constexpr uint64_t kBulkCount = 10000;

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
            m_ar.fail(QCoreApplication::translate("LdxFile",
                                                  "an entry refers to another object instead of holding a record"));
            return false;
        }
        if (t == kNewClassTag)
            return ReadClassDescription();
        const uint32_t index = tag & ~kClassBit;
        if (index == 0 || index > m_lastIndex || !IsClassIndex(index)) {
            m_ar.fail(QCoreApplication::translate("LdxFile", "an entry refers to an unknown class"));
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
            m_ar.fail(QCoreApplication::translate("LdxFile", "the class name is too long"));
            return false;
        }
        if (!m_ar.Need(length))
            return false;
        char name[64];
        for (uint16_t i = 0; i < length; ++i)
            name[i] = char(m_ar.ReadU8());
        if (std::string_view(name, length) != kClassName) {
            m_ar.fail(QCoreApplication::translate("LdxFile", "the file does not hold reflectors"));
            return false;
        }
        if (schema != kSchema) {
            m_ar.fail(QCoreApplication::translate("LdxFile", "the file was written by an unknown version (schema %1)")
                          .arg(schema));
            return false;
        }
        m_classIndexes.push_back(++m_lastIndex);
        return true;
    }

    bool IsClassIndex(uint32_t index) const
    {
        // Indexes are taken in increasing order, so the list is sorted.
        return std::binary_search(m_classIndexes.begin(), m_classIndexes.end(), index);
    }

    CArchiveReader &m_ar;
    uint32_t m_lastIndex = 0;
    std::vector<uint32_t> m_classIndexes;
};

} // namespace

namespace LdxFile {

// Refuses, before any is built, records that would take more memory than
// the machine can give, rather than growing until the system ends the
// program. Their texts take at most the rest of the file.
static void RefuseBeyondMemory(uint64_t count, uint64_t textBytes)
{
    constexpr uint64_t kWorthAsking = 16 << 20;
    const uint64_t needed = count * kRecordFootprint + textBytes;
    if (needed < kWorthAsking)
        return;
    const std::size_t available = AvailableMemory();
    if (needed <= available)
        return;
    const auto megabytes = [](uint64_t bytes) { return (bytes + 999999) / 1000000; };
    throw CNotEnoughMemory(OutOfMemoryReason()
                           + QCoreApplication::translate("LdxFile", " for the file's %1 records (%2 MB needed, %3 MB available)")
                               .arg(count)
                               .arg(megabytes(needed))
                               .arg(megabytes(available)));
}

static bool ReadList(CArchiveReader &ar, ReflectorList &out, QString *error)
{
    out.clear();
    if (ar.remaining() == 0)
        return true;

    uint64_t count = ar.ReadU16();
    if (count == 0xFFFF)
        count = ar.ReadU32();
    if (ar.ok() && count * kMinEntryBytes > ar.remaining())
        ar.fail(
            QCoreApplication::translate("LdxFile", "the record count %1 is more than the file can hold").arg(count));

    EntryReader entries(ar);
    if (!ar.ok())
        count = 0;
    RefuseBeyondMemory(count, ar.remaining());
    out.reserve(std::size_t(count));
    std::optional<RecordArena::BulkScope> bulk;
    if (count >= kBulkCount)
        bulk.emplace();
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

OpenResult Load(const QString &path, ReflectorList &out, QString *error, FileStamp *stamp)
{
    QFile file;
    QString reason;
    if (!OpenRegularFile(file, path, &reason, stamp)) {
        if (error)
            *error = reason;
        return OpenResult::NotOpenable;
    }
    CArchiveReader ar(&file, uint64_t(file.size()));
    return ReadList(ar, out, error) ? OpenResult::Opened : OpenResult::Malformed;
}

bool Save(const QString &path, const ReflectorList &list, QString *error)
{
    return SaveFileSafely(path, [&list](QIODevice &device) { return Write(list, device); }, error);
}

} // namespace LdxFile

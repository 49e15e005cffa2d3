// Feeds arbitrary bytes to the readers of Import and Paste, the first byte
// choosing the kind: a semicolon list, copied text or a phonebook. Refused
// input is fine, with a reason and nothing read. Copied text that is read
// must read back the same when Copy writes its reflectors again.
#include "data/storedtext.h"
#include "exchange/clientcodepage.h"
#include "exchange/importsource.h"
#include "exchange/phonebookimport.h"
#include "view/core/reflectortext.h"

#include <cstdio>

namespace {

constexpr std::size_t kMaxInput = 4096;

[[noreturn]] void Fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    __builtin_trap();
}

QStringList Characters(const ImportedReflectors &read)
{
    QStringList all;
    for (const MergeCandidate &c : read.candidates) {
        for (int i = 0; i < CReflector::kTextCount; ++i)
            all << StoredText::ToString(c.record->Text(i).bytes());
        for (int i = 0; i < 4; ++i)
            all << QString::number(c.record->Flag(i));
    }
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0 || size > kMaxInput)
        return 0;
    const QByteArray text(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    ImportedReflectors read;
    QString error;
    bool ok;
    switch (data[0] % 3) {
    case 0:
        ok = ImportSource::ReadText(text, ImportSource::Kind::SemicolonList, read, &error);
        break;
    case 1:
        ok = ImportSource::ReadText(text, ImportSource::Kind::ReflectorText, read, &error);
        break;
    default:
        ok = PhonebookImport::Read(text, CClientCodePage(), read, &error);
        break;
    }
    if (!ok && (error.isEmpty() || !read.candidates.empty()))
        Fail("refused without a reason, or with reflectors read");
    if (!ok || data[0] % 3 != 1)
        return 0;
    std::vector<const CReflector *> records;
    for (const MergeCandidate &c : read.candidates)
        records.push_back(c.record.get());
    ImportedReflectors again;
    if (!ImportSource::ReadText(ReflectorText(records), ImportSource::Kind::ReflectorText, again, &error))
        Fail("Copy's text of what was read is refused");
    if (Characters(again) != Characters(read))
        Fail("Copy's text of what was read reads back otherwise");
    return 0;
}

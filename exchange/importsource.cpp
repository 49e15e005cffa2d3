#include "exchange/importsource.h"

#include "base/asciicase.h"
#include "base/regularfile.h"
#include "data/storedtext.h"
#include "exchange/clientcodepage.h"
#include "exchange/filefilters.h"
#include "exchange/phonebookimport.h"
#include "exchange/reflectortextreader.h"
#include "exchange/semicolonlistreader.h"
#include "exchange/textlines.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>

namespace {

// The two kinds read through CTextLines.
bool ReadLines(ImportSource::Kind kind, CTextLines &lines, ImportedReflectors &out, QString *error)
{
    if (kind == ImportSource::Kind::SemicolonList)
        return SemicolonListReader::Read(lines, out, error);
    return ReflectorTextReader::Read(lines, out, error);
}

bool Finish(bool read, ImportedReflectors &out)
{
    if (!read)
        out = ImportedReflectors();
    return read;
}

} // namespace

namespace ImportSource {

Kind KindOf(const QString &path)
{
    if (HasExtension(path, "ini"))
        return Kind::Phonebook;
    if (HasExtension(path, "csv"))
        return Kind::SemicolonList;
    if (HasExtension(path, "txt"))
        return Kind::ReflectorText;
    return Kind::None;
}

Kind KindOfText(QByteArrayView text)
{
    // The first line tells; a long text need not be copied for it.
    CTextLines lines(text.first(std::min<qsizetype>(text.size(), 4096)).toByteArray());
    QByteArrayView line;
    while (lines.Next(&line)) {
        if (line.trimmed().isEmpty())
            continue;
        return line.contains(';') && !ReflectorTextReader::IsLabelled(line) ? Kind::SemicolonList
                                                                            : Kind::ReflectorText;
    }
    return Kind::ReflectorText;
}

bool ReadFile(const QString &path, Kind kind, ImportedReflectors &out, QString *error)
{
    out = ImportedReflectors();
    QFile file;
    if (!OpenRegularFile(file, path, error))
        return false;
    if (kind == Kind::Phonebook)
        return PhonebookImport::Read(file, CClientCodePage::FromSettings(), out, error);
    CTextLines lines(file);
    return Finish(ReadLines(kind, lines, out, error), out);
}

bool ReadText(QByteArray text, Kind kind, ImportedReflectors &out, QString *error)
{
    out = ImportedReflectors();
    CTextLines lines(std::move(text));
    return Finish(ReadLines(kind, lines, out, error), out);
}

QString LineError(qint64 line, const QString &problem)
{
    return QCoreApplication::translate("Import", "line %1: %2").arg(line).arg(problem);
}

bool ReadFlagWord(QByteArrayView word, int *flag)
{
    word = word.trimmed();
    if (word.compare("yes", Qt::CaseInsensitive) == 0)
        *flag = 1;
    else if (word.compare("no", Qt::CaseInsensitive) == 0)
        *flag = 0;
    else
        return false;
    return true;
}

QString Quoted(QByteArrayView field)
{
    constexpr qsizetype kShown = 40;
    QString text = StoredText::ToString(field.first(std::min(field.size(), kShown)));
    if (field.size() > kShown)
        text += QStringLiteral("...");
    return u'"' + text + u'"';
}

} // namespace ImportSource

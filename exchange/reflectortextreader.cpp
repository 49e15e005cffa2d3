#include "exchange/reflectortextreader.h"

#include "data/reflectorvalues.h"
#include "exchange/importsource.h"
#include "exchange/textlines.h"
#include "view/core/reflectortext.h"

#include <QCoreApplication>

namespace {

QByteArrayView WithoutIndent(QByteArrayView line)
{
    qsizetype i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return line.sliced(i);
}

// The labels of the twelve fields, looked up once for a whole text.
struct Labels {
    QByteArrayView of[CReflector::ColumnCount];
    Labels()
    {
        for (int column = 0; column < CReflector::ColumnCount; ++column)
            of[column] = ReflectorTextLabel(column);
    }
};

// The column whose label begins the line, or -1; `value` is what follows.
int LabelOf(const Labels &labels, QByteArrayView line, QByteArrayView *value)
{
    line = WithoutIndent(line);
    for (int column = 0; column < CReflector::ColumnCount; ++column) {
        const QByteArrayView label = labels.of[column];
        if (line.size() < label.size() || line.first(label.size()).compare(label, Qt::CaseInsensitive) != 0)
            continue;
        QByteArrayView rest = line.sliced(label.size());
        if (rest.startsWith(' '))
            rest = rest.sliced(1);
        *value = rest;
        return column;
    }
    return -1;
}

QString LabelText(int column)
{
    return u'"' + QString::fromUtf8(ReflectorTextLabel(column)) + u'"';
}

// One block being read.
class CBlock
{
public:
    bool IsEmpty() const { return m_fields == 0; }

    // Takes the labelled line; false with `error` set when it cannot.
    bool Take(int column, QByteArrayView value, QString *error)
    {
        if (m_fields & FieldMask::Bit(column)) {
            *error = QCoreApplication::translate("Import", "a second %1 line in one reflector (a blank line separates reflectors)")
                           .arg(LabelText(column));
            return false;
        }
        m_fields |= FieldMask::Bit(column);
        if (column < CReflector::kTextCount) {
            m_values.text[column] = CText(value.data(), std::size_t(value.size()));
            return true;
        }
        if (ImportSource::ReadFlagWord(value, &m_values.flag[column - CReflector::kTextCount]))
            return true;
        *error = QCoreApplication::translate("Import", "%1 after %2, where Yes or No belongs").arg(ImportSource::Quoted(value), LabelText(column));
        return false;
    }

    // The reflector of the block, which starts afresh.
    MergeCandidate Take()
    {
        MergeCandidate candidate{m_values.MakeRecord(), m_fields};
        *this = CBlock();
        return candidate;
    }

private:
    ReflectorValues m_values;
    unsigned m_fields = 0;
};

} // namespace

namespace ReflectorTextReader {

bool IsLabelled(QByteArrayView line)
{
    QByteArrayView value;
    return LabelOf(Labels(), line, &value) >= 0;
}

bool Read(CTextLines &lines, ImportedReflectors &out, QString *error)
{
    const Labels labels;
    CBlock block;
    QByteArrayView line;
    while (lines.Next(&line)) {
        if (line.trimmed().isEmpty()) {
            if (!block.IsEmpty())
                out.candidates.push_back(block.Take());
            continue;
        }
        QByteArrayView value;
        const int column = LabelOf(labels, line, &value);
        QString problem;
        if (column < 0)
            problem = QCoreApplication::translate("Import", "%1 does not begin with a label such as %2")
                          .arg(ImportSource::Quoted(line), LabelText(CReflector::ColCountry));
        if (column < 0 || !block.Take(column, value, &problem)) {
            *error = ImportSource::LineError(lines.LineNumber(), problem);
            return false;
        }
    }
    if (!lines.Error().isEmpty()) {
        *error = lines.Error();
        return false;
    }
    if (!block.IsEmpty())
        out.candidates.push_back(block.Take());
    return true;
}

} // namespace ReflectorTextReader

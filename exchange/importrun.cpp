#include "exchange/importrun.h"

#include "data/listmerge.h"
#include "data/userprompts.h"
#include "resources/strings.h"

#include <QDir>

#include <exception>
#include <optional>

CImportRun::CImportRun(CLodexDoc &doc, int stepNameId, Conflicts conflicts)
    : m_doc(doc), m_step(doc, stepNameId), m_conflicts(conflicts), m_exceptions(std::uncaught_exceptions())
{
}

CImportRun::~CImportRun()
{
    // Failing half-way, the undo step takes the run back and shows the rows.
    if (std::uncaught_exceptions() == m_exceptions)
        ShowRows();
}

void CImportRun::ShowRows()
{
    if (m_changed)
        m_doc.RefreshView();
    m_changed = false;
}

bool CImportRun::ImportFile(const QString &path, ImportSource::Kind kind, const QString &name, Counts *counts,
                            QString *error)
{
    ImportedReflectors source;
    {
        CLodexDoc::BusyScope busy(&m_doc);
        if (!ImportSource::ReadFile(path, kind, source, error))
            return false;
    }
    *counts = Merge(source, name);
    return true;
}

bool CImportRun::ImportText(QByteArray text, const QString &name, Counts *counts, QString *error)
{
    ImportedReflectors source;
    const ImportSource::Kind kind = ImportSource::KindOfText(text);
    {
        CLodexDoc::BusyScope busy(&m_doc);
        if (!ImportSource::ReadText(std::move(text), kind, source, error))
            return false;
    }
    *counts = Merge(source, name);
    return true;
}

CImportRun::Counts CImportRun::Merge(ImportedReflectors &source, const QString &name)
{
    Counts counts;
    counts.skipped = source.skipped;
    std::vector<MergeCandidate> &candidates = source.candidates;
    CListMerge merge(m_doc, m_step.Change());
    std::size_t taken;
    {
        CLodexDoc::BusyScope busy(&m_doc);
        taken = merge.CountTaken(candidates);
    }
    const Conflicts conflicts = taken ? ChooseConflicts(taken, candidates.size(), name) : Conflicts::KeepList;
    // Reviewing shows the conflict dialog: no busy cursor over it.
    std::optional<CLodexDoc::BusyScope> busy;
    if (conflicts != Conflicts::Ask)
        busy.emplace(&m_doc);
    const CListMerge::Conflicts settle = conflicts == Conflicts::Ask        ? CListMerge::Conflicts::Ask
                                         : conflicts == Conflicts::KeepList ? CListMerge::Conflicts::KeepList
                                                                            : CListMerge::Conflicts::TakeNew;
    merge.MergeAll(candidates, settle, [&counts](CLodexDoc::MergeResult result) {
        switch (result) {
        case CLodexDoc::MergeResult::Added:
            ++counts.added;
            break;
        case CLodexDoc::MergeResult::Updated:
            ++counts.updated;
            break;
        case CLodexDoc::MergeResult::LeftAlone:
            ++counts.skipped;
            break;
        }
    });
    m_changed = m_changed || counts.added || counts.updated;
    return counts;
}

CImportRun::Conflicts CImportRun::ChooseConflicts(std::size_t taken, std::size_t total, const QString &name)
{
    if (m_conflicts != Conflicts::Ask || !m_doc.m_pPrompts)
        return m_conflicts == Conflicts::Ask ? Conflicts::KeepList : m_conflicts;
    const QString question = LoadQString(Str::ImportConflicts).arg(taken).arg(total).arg(name);
    const QStringList choices{LoadQString(Str::ImportReviewEach), LoadQString(Str::ImportKeepList),
                              LoadQString(Str::ImportTakeFile)};
    // Enter, Escape and closing the box keep the list as it is.
    switch (m_doc.m_pPrompts->Choose(question, choices, CUserPrompts::Question, 1)) {
    case 0:
        return Conflicts::Ask;
    case 2:
        return Conflicts::TakeSource;
    default:
        return Conflicts::KeepList;
    }
}

void CImportRun::ImportFileAndTell(const QString &path, ImportSource::Kind kind)
{
    const QString name = QDir::toNativeSeparators(path);
    Counts counts;
    QString error;
    const bool imported = ImportFile(path, kind, name, &counts, &error);
    Tell(name, imported, counts, error);
}

void CImportRun::ImportTextAndTell(QByteArray text, const QString &name)
{
    Counts counts;
    QString error;
    const bool imported = ImportText(std::move(text), name, &counts, &error);
    Tell(name, imported, counts, error);
}

void CImportRun::Tell(const QString &name, bool imported, const Counts &counts, const QString &error)
{
    if (imported)
        m_countLines << CountsLine(name, counts);
    else if (m_doc.m_pPrompts)
        m_doc.m_pPrompts->MessageBox(LoadQString(Str::ImportFailed).arg(name, error));
}

void CImportRun::ShowCounts()
{
    ShowRows();
    if (!m_countLines.isEmpty() && m_doc.m_pPrompts)
        m_doc.m_pPrompts->MessageBox(m_countLines.join(u'\n'), CUserPrompts::Ok, CUserPrompts::Information);
    m_countLines.clear();
}

QString CImportRun::CountsLine(const QString &name, const Counts &counts)
{
    return LoadQString(Str::ImportSummary).arg(name).arg(counts.added).arg(counts.updated).arg(counts.skipped);
}

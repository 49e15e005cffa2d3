#pragma once

#include "data/lodexdoc.h"
#include "exchange/importsource.h"

#include <QStringList>

// One Import or Paste: sources read and merged into the document one after
// another, as one change for Undo, each counted.
//
// A source is read whole before anything of it is merged, so a refused one
// leaves no trace. Its reflectors then go through the add-or-merge of the
// Add command in source order; when some find their address taken (by the
// list or by an earlier reflector of the same source), the user is asked
// once per source whether to review each, keep the list's or take the
// source's values, unless the run was given that choice. The rows are
// shown afresh at the end of the run when anything changed.
class CImportRun
{
public:
    enum class Conflicts { Ask, KeepList, TakeSource };
    struct Counts {
        int added = 0;
        int updated = 0;
        int skipped = 0; // entries that are no reflectors, and reflectors left as the list had them
    };

    // `stepNameId`: what Undo calls the command (Import, Paste).
    CImportRun(CLodexDoc &doc, int stepNameId, Conflicts conflicts = Conflicts::Ask);
    ~CImportRun();
    CImportRun(const CImportRun &) = delete;
    CImportRun &operator=(const CImportRun &) = delete;

    // Reads and merges one source, `name` standing for it in questions.
    // False when it is refused: `error` says why and nothing of it is merged.
    bool ImportFile(const QString &path, ImportSource::Kind kind, const QString &name, Counts *counts, QString *error);
    bool ImportText(QByteArray text, const QString &name, Counts *counts, QString *error);

    // The same, telling the user through the document's prompts: a refused
    // source at once, the counts of all at the end (ShowCounts, which shows
    // the rows first).
    void ImportFileAndTell(const QString &path, ImportSource::Kind kind);
    void ImportTextAndTell(QByteArray text, const QString &name);
    void ShowCounts();

    // "NAME: A reflectors added, U updated, S skipped."
    static QString CountsLine(const QString &name, const Counts &counts);

private:
    Counts Merge(ImportedReflectors &source, const QString &name);
    Conflicts ChooseConflicts(std::size_t taken, std::size_t total, const QString &name);
    void Tell(const QString &name, bool imported, const Counts &counts, const QString &error);
    // Rows afresh, when anything changed.
    void ShowRows();

    CLodexDoc &m_doc;
    CLodexDoc::UndoStep m_step;
    const Conflicts m_conflicts;
    const int m_exceptions;
    bool m_changed = false;
    QStringList m_countLines;
};

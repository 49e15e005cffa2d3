#include "data/lodexdoc.h"

#include "data/changehistory.h"
#include "data/docview.h"
#include "data/ldxfile.h"
#include "data/listchange.h"
#include "data/userprompts.h"
#include "resources/strings.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <exception>

CLodexDoc::CLodexDoc(QObject *parent) : QObject(parent), m_strTitle(DocumentStringField(Str::DocumentName))
{
}

CLodexDoc::~CLodexDoc()
{
    DeleteContents();
}

void CLodexDoc::SetPathName(const QString &path)
{
    m_strPathName = path;
    SetTitle(path.isEmpty() ? DocumentStringField(Str::DocumentName) : QFileInfo(path).fileName());
}

void CLodexDoc::SetTitle(const QString &title)
{
    if (title == m_strTitle)
        return;
    m_strTitle = title;
    emit titleChanged(title);
}

void CLodexDoc::SetModifiedFlag(bool modified)
{
    if (modified == m_bModified)
        return;
    m_bModified = modified;
    emit modifiedChanged(modified);
}

void CLodexDoc::DeleteContents()
{
    // Rows point to the records: empty the view first so that nothing can
    // reach a freed record until the next refresh.
    if (m_pView)
        m_pView->ClearList();
    // Changes refer to the records: they go with them.
    if (m_pHistory)
        m_pHistory->Clear();
    m_listReflectors.clear();
    m_listReflectors.shrink_to_fit();
}

bool CLodexDoc::OnNewDocument()
{
    DeleteContents();
    SetPathName(QString());
    m_fileStamp = FileStamp();
    SetModifiedFlag(false);
    RefreshView();
    return true;
}

OpenResult CLodexDoc::OnOpenDocument(const QString &path, QString *error)
{
    ReflectorList list;
    FileStamp stamp;
    const OpenResult result = LdxFile::Load(path, list, error, &stamp);
    if (result == OpenResult::Malformed) {
        DeleteContents();
        SetModifiedFlag(true);
    }
    if (result != OpenResult::Opened)
        return result;
    DeleteContents();
    m_listReflectors = std::move(list);
    m_fileStamp = stamp;
    SetModifiedFlag(false);
    RefreshView();
    return OpenResult::Opened;
}

CSafeSave::Result CLodexDoc::OnSaveDocument(const QString &path, QString *error, bool overwriteChanges)
{
    CSafeSave save(path);
    if (!overwriteChanges && path == m_strPathName)
        save.RequireUnchangedSince(m_fileStamp);
    const CSafeSave::Result result = save.Write([this](QIODevice &out) { return LdxFile::Write(m_listReflectors, out); });
    if (result != CSafeSave::Result::Saved) {
        if (error)
            *error = save.Error();
        return result;
    }
    m_fileStamp = save.Written();
    SetModifiedFlag(false);
    if (m_pHistory)
        m_pHistory->MarkSaved();
    return result;
}

void CLodexDoc::RefreshView()
{
    if (m_pView)
        m_pView->SetRows(m_listReflectors);
}

CLodexDoc::BusyScope::BusyScope(CLodexDoc *doc) : m_doc(doc)
{
    if (m_doc)
        emit m_doc->busyChanged(true);
}

CLodexDoc::BusyScope::~BusyScope()
{
    if (m_doc)
        emit m_doc->busyChanged(false);
}

CLodexDoc::UndoStep::UndoStep(CLodexDoc &doc, int nameId) : m_doc(doc), m_exceptions(std::uncaught_exceptions())
{
    if (m_doc.m_pChange)
        return;
    m_change = std::make_unique<CListChange>(LoadQString(nameId));
    m_doc.m_pChange = m_change.get();
}

CLodexDoc::UndoStep::~UndoStep()
{
    if (!m_change)
        return;
    m_doc.m_pChange = nullptr;
    if (std::uncaught_exceptions() > m_exceptions) {
        // Half a command is no state the user asked for.
        if (m_doc.m_pView)
            m_doc.m_pView->ClearList();
        m_change->Revert(m_doc.m_listReflectors);
        try {
            m_doc.RefreshView();
        } catch (const std::bad_alloc &) {
        }
        return;
    }
    if (!m_change->IsEmpty() && m_doc.m_pHistory)
        m_doc.m_pHistory->Push(std::move(m_change));
}

void CLodexDoc::UndoChange(CListChange &change)
{
    change.Undo(m_listReflectors);
    ShowChanged(change);
}

void CLodexDoc::RedoChange(CListChange &change)
{
    change.Redo(m_listReflectors);
    ShowChanged(change);
}

void CLodexDoc::ShowChanged(const CListChange &change)
{
    // Finding a row walks the rows: a few records are rewritten where
    // they show (a sort stays), many are shown afresh.
    constexpr std::size_t kRowsRewritten = 64;
    const std::vector<CReflector *> updated = change.UpdatedOnly();
    if (!m_pView || updated.empty() || updated.size() > kRowsRewritten) {
        RefreshView();
        return;
    }
    for (CReflector *record : updated) {
        const int row = m_pView->FindRow(record);
        if (row >= 0)
            record->UpdateViewItem(row, *m_pView);
    }
}

CReflector *CLodexDoc::FindByAddress(const CReflector &candidate) const
{
    for (const auto &record : m_listReflectors)
        if (record->IsSameAddress(candidate))
            return record.get();
    return nullptr;
}

void CLodexDoc::RemoveReflector(CReflector *record)
{
    const auto it = std::find_if(m_listReflectors.begin(), m_listReflectors.end(),
                                 [record](const auto &r) { return r.get() == record; });
    if (it != m_listReflectors.end())
        m_listReflectors.erase(it);
}

void CLodexDoc::OnReflectorDelete()
{
    if (!m_pView || !m_pPrompts || m_pView->GetNextSelected(-1) < 0)
        return;
    if (m_pPrompts->MessageBox(LoadQString(Str::ConfirmDelete), CUserPrompts::YesNo,
                               CUserPrompts::Question)
        != CUserPrompts::IdYes)
        return;
    RemoveSelectedReflectors(Str::StepDelete);
}

void CLodexDoc::RemoveSelectedReflectors(int nameId)
{
    if (!m_pView)
        return;
    // Collect first, then remove in one pass: removing one by one from the
    // middle of a long list would cost a pass per record.
    std::vector<const CReflector *> doomed;
    for (int row = m_pView->GetNextSelected(-1); row >= 0; row = m_pView->GetNextSelected(row))
        if (CReflector *record = m_pView->GetReflector(row))
            doomed.push_back(record);
    if (doomed.empty())
        return;
    std::sort(doomed.begin(), doomed.end());
    std::vector<std::size_t> indexes;
    indexes.reserve(doomed.size());
    for (std::size_t i = 0; i < m_listReflectors.size(); ++i)
        if (std::binary_search(doomed.begin(), doomed.end(), static_cast<const CReflector *>(m_listReflectors[i].get())))
            indexes.push_back(i);
    UndoStep step(*this, nameId);
    m_pView->ClearList();
    step.Change().RecordRemoval(m_listReflectors, indexes);
    // A deletion is a change like any other: it must not be lost at exit.
    SetModifiedFlag(true);
    RefreshView();
}

bool CLodexDoc::OnUpdateReflectorSelected() const
{
    return m_pView && m_pView->GetSelectedCount() > 0;
}

// --- File commands of the main window -------------------------------------

QString CLodexDoc::ProposedFileName() const
{
    if (!m_strPathName.isEmpty())
        return m_strPathName;
    QString name = m_strTitle;
    const qsizetype bad = name.indexOf(QRegularExpression(QStringLiteral("[:/\\\\]")));
    if (bad >= 0)
        name.truncate(bad);
    return name + DocumentStringField(Str::FilterExtension);
}

QString CLodexDoc::CopyFileName() const
{
    if (!m_strPathName.isEmpty())
        return QFileInfo(m_strPathName).fileName();
    QString name = m_strTitle;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QFileInfo(name).suffix().isEmpty() ? name + DocumentStringField(Str::FilterExtension) : name;
}

bool CLodexDoc::SaveCopy(const QString &path, QString *error) const
{
    return LdxFile::Save(path, m_listReflectors, error);
}

#include "data/lodexdoc.h"

#include "data/docview.h"
#include "data/ldxfile.h"
#include "data/userprompts.h"
#include "resources/strings.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

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

CLodexDoc::OpenResult CLodexDoc::OnOpenDocument(const QString &path, QString *error)
{
    ReflectorList list;
    FileStamp stamp;
    switch (LdxFile::Load(path, list, error, &stamp)) {
    case LdxFile::LoadResult::NotOpenable:
        return OpenResult::NotOpenable;
    case LdxFile::LoadResult::Malformed:
        DeleteContents();
        SetModifiedFlag(true);
        return OpenResult::Malformed;
    case LdxFile::LoadResult::Loaded:
        break;
    }
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
    if (!m_pView || !m_pPrompts)
        return;
    int row = m_pView->GetNextSelected(-1);
    if (row < 0)
        return;
    if (m_pPrompts->MessageBox(LoadQString(Str::ConfirmDelete), CUserPrompts::YesNo,
                               CUserPrompts::Question)
        != CUserPrompts::IdYes)
        return;

    // Collect first, then remove in one pass: removing one by one from the
    // middle of a long list would cost a pass per record.
    std::vector<const CReflector *> doomed;
    for (; row >= 0; row = m_pView->GetNextSelected(row))
        if (CReflector *record = m_pView->GetReflector(row))
            doomed.push_back(record);
    std::sort(doomed.begin(), doomed.end());
    m_pView->ClearList();
    m_listReflectors.erase(std::remove_if(m_listReflectors.begin(), m_listReflectors.end(),
                                          [&doomed](const auto &r) {
                                              return std::binary_search(doomed.begin(), doomed.end(),
                                                                        static_cast<const CReflector *>(r.get()));
                                          }),
                           m_listReflectors.end());
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

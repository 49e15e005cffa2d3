#include "app/documentfiles.h"

#include "app/core/recentfilelist.h"
#include "base/nativepath.h"
#include "base/outofmemory.h"
#include "base/savejournal.h"
#include "data/lodexdoc.h"
#include "data/userprompts.h"
#include "resources/strings.h"

#include <QDir>

#include <sys/stat.h>

namespace {

QString Reason(QString reason)
{
    while (reason.endsWith(QLatin1Char('.')))
        reason.chop(1);
    return reason.isEmpty() ? CDocumentFiles::tr("unknown error") : reason;
}

} // namespace

CDocumentFiles::CDocumentFiles(CLodexDoc &doc, CUserPrompts &prompts, CRecentFileList &recent, QObject *parent)
    : QObject(parent), m_doc(doc), m_prompts(prompts), m_recent(recent)
{
}

QString CDocumentFiles::FileFilters()
{
    return DocumentStringField(Str::FilterName) + QStringLiteral(";;") + tr("All Files (*)");
}

void CDocumentFiles::Report(int stringId, const QString &path, const QString &reason)
{
    m_prompts.MessageBox(LoadQString(stringId).arg(QDir::toNativeSeparators(path), Reason(reason)));
}

bool CDocumentFiles::SaveModified()
{
    if (!m_doc.IsModified())
        return true;
    const QString name = m_doc.GetPathName().isEmpty() ? m_doc.GetTitle()
                                                       : QDir::toNativeSeparators(m_doc.GetPathName());
    switch (m_prompts.MessageBox(LoadQString(Str::SavePrompt).arg(name),
                                 CUserPrompts::YesNoCancel)) {
    case CUserPrompts::IdYes:
        return OnFileSave();
    case CUserPrompts::IdNo:
        return true;
    default:
        return false;
    }
}

bool CDocumentFiles::OnFileNew()
{
    if (!SaveModified())
        return false;
    return m_doc.OnNewDocument();
}

void CDocumentFiles::OnFileOpen()
{
    const QStringList chosen = m_prompts.GetOpenFileNames(tr("Open"), FileFilters(), false);
    if (!chosen.isEmpty())
        OpenDocumentFile(chosen.constFirst());
}

bool CDocumentFiles::OnOpenRecentFile(int index)
{
    const QString path = m_recent.Entries().value(index);
    if (path.isEmpty())
        return false;
    const OpenResult result = OpenDocumentFile(path);
    if (result == OpenResult::NotOpenable || result == OpenResult::Malformed) {
        m_recent.Remove(m_recent.Entries().indexOf(path));
        emit recentFilesChanged();
    }
    return result == OpenResult::Opened;
}

OpenResult CDocumentFiles::OpenDocumentFile(const QString &path)
{
    // The open document itself: nothing to read again.
    if (SameFilePath(path, m_doc.GetPathName())) {
        m_recent.Add(m_doc.GetPathName());
        emit recentFilesChanged();
        return OpenResult::Opened;
    }
    if (!SaveModified())
        return OpenResult::Cancelled;

    QString error;
    OpenResult result = OpenResult::NotOpenable;
    bool enoughMemory;
    {
        CLodexDoc::BusyScope busy(&m_doc);
        enoughMemory = CatchOutOfMemory([&] {
            result = m_doc.OnOpenDocument(path, &error);
            return true;
        }, &error);
    }
    // Short of memory, the document is as it was, and the file may well open
    // another time.
    if (!enoughMemory)
        result = OpenResult::Cancelled;
    if (result != OpenResult::Opened) {
        Report(result == OpenResult::Malformed ? Str::ReadFailed : Str::OpenFailed, path, error);
        if (result == OpenResult::Malformed)
            m_doc.OnNewDocument();
        return result;
    }
    const QString absolute = AbsolutePath(path);
    m_doc.SetPathName(absolute);
    m_recent.Add(absolute);
    emit recentFilesChanged();
    return OpenResult::Opened;
}

bool CDocumentFiles::OnFileSave()
{
    const QString path = m_doc.GetPathName();
    // A file that has become read-only is saved elsewhere, under a new name.
    struct stat target {};
    if (!path.isEmpty() && ::stat(NativePath(path).constData(), &target) == 0 && !(target.st_mode & S_IWUSR))
        return DoSave(QString());
    return DoSave(path);
}

bool CDocumentFiles::OnFileSaveAs()
{
    return DoSave(QString());
}

bool CDocumentFiles::DoSave(const QString &requestedPath)
{
    QString path = requestedPath;
    if (path.isEmpty()) {
        path = m_prompts.GetSaveFileName(tr("Save As"), m_doc.ProposedFileName(),
                                         DocumentStringField(Str::FilterName), QStringLiteral("ldx"));
        if (path.isEmpty())
            return false;
    }
    QString error;
    const auto save = [&](bool overwriteChanges) {
        CLodexDoc::BusyScope busy(&m_doc);
        CSafeSave::Result result = CSafeSave::Result::Failed;
        CatchOutOfMemory([&] {
            result = m_doc.OnSaveDocument(path, &error, overwriteChanges);
            return true;
        }, &error);
        return result;
    };
    CSafeSave::Result result = save(false);
    if (result == CSafeSave::Result::ChangedOnDisk) {
        if (m_prompts.MessageBox(LoadQString(Str::ChangedOnDisk).arg(QDir::toNativeSeparators(path)),
                                 CUserPrompts::YesNo, CUserPrompts::Question)
            != CUserPrompts::IdYes)
            return false;
        result = save(true);
    }
    // A failed save leaves any file already at `path` as it was: nothing
    // to delete.
    if (result != CSafeSave::Result::Saved) {
        Report(Str::SaveFailed, path, error);
        return false;
    }
    const QString absolute = AbsolutePath(path);
    m_doc.SetPathName(absolute);
    m_recent.Add(absolute);
    emit recentFilesChanged();
    return true;
}

void CDocumentFiles::OfferInterruptedSaves(const std::function<void(const QString &copy)> &showCopy)
{
    const QStringList choices{LoadQString(Str::PutBackButton), LoadQString(Str::KeepAsIsButton),
                              LoadQString(Str::ShowCopyButton)};
    enum { PutBack, KeepAsIs, ShowCopy };
    for (const InterruptedSave &save : SaveJournal::Interrupted()) {
        const QString target = QDir::toNativeSeparators(save.target);
        const QString copy = QDir::toNativeSeparators(save.copy);
        int choice;
        while ((choice = m_prompts.Choose(LoadQString(Str::SaveInterrupted).arg(target, copy), choices,
                                          CUserPrompts::Exclamation))
               == ShowCopy)
            showCopy(save.copy);
        QString error;
        if (choice == KeepAsIs)
            SaveJournal::Forget(save);
        else if (choice == PutBack && !SaveJournal::PutBack(save, &error))
            m_prompts.MessageBox(LoadQString(Str::PutBackFailed).arg(target, Reason(error), copy));
    }
}

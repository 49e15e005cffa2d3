#pragma once

#include "data/openresult.h"

#include <QObject>
#include <QString>

#include <functional>

class CLodexDoc;
class CRecentFileList;
class CUserPrompts;

// New, Open, Save, Save As and the recent files for the one document, with
// the save prompt before the document is replaced or the program ends.
// Widget-free: every question goes through CUserPrompts.
class CDocumentFiles : public QObject
{
    Q_OBJECT

public:
    CDocumentFiles(CLodexDoc &doc, CUserPrompts &prompts, CRecentFileList &recent, QObject *parent = nullptr);

    static QString FileFilters();

    // Offers to save a modified document (Yes / No / Cancel). True when the
    // caller may go on: saved, not wanted, or nothing to save.
    bool SaveModified();

    bool OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    // Opens recent file `index`; one that cannot be opened leaves the list.
    bool OnOpenRecentFile(int index);

    // The open path of every way in (dialog, recent files, dropped files,
    // command line): save prompt, open, reports. A file that cannot be
    // opened leaves the document as it was; a malformed one leaves an empty
    // untitled document.
    OpenResult OpenDocumentFile(const QString &path);

    // Writes the document to `path`, or asks for a name when it is empty;
    // the document takes the path and the file joins the recent files.
    // Over a file another program has changed since, it asks first.
    bool DoSave(const QString &path);

    // Asks about each save that never ended (a crash, a kill, a power
    // cut): put the earlier contents back, keep the file as it is, or show
    // the copy (`showCopy`) and ask again. A box closed otherwise asks again
    // at the next start.
    void OfferInterruptedSaves(const std::function<void(const QString &copy)> &showCopy);

signals:
    void recentFilesChanged();

private:
    void Report(int stringId, const QString &path, const QString &reason);

    CLodexDoc &m_doc;
    CUserPrompts &m_prompts;
    CRecentFileList &m_recent;
};

#pragma once

#include <QObject>
#include <QString>

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
    // untitled document. True when the file is open.
    enum class OpenOutcome { Opened, Cancelled, NotOpenable, Malformed };
    OpenOutcome OpenDocumentFile(const QString &path);

    // Writes the document to `path`, or asks for a name when it is empty.
    // `adopt`: the document takes the new path and the file joins the
    // recent files.
    bool DoSave(const QString &path, bool adopt = true);

signals:
    void recentFilesChanged();

private:
    void Report(int stringId, const QString &path, const QString &reason);

    CLodexDoc &m_doc;
    CUserPrompts &m_prompts;
    CRecentFileList &m_recent;
};

#pragma once

#include "base/safesave.h"
#include "data/openresult.h"
#include "data/reflectorlist.h"

#include <QObject>
#include <QString>

class CChangeHistory;
class CDocView;
class CListChange;
class CUserPrompts;

// The one document: the reflector list, its file and its modified flag.
//
// Record commands that need the user (dialogs, questions) reach the user
// through CUserPrompts, and rows change only through the view interface, so
// the whole document works, and is tested, without widgets.
class CLodexDoc : public QObject
{
    Q_OBJECT

public:
    explicit CLodexDoc(QObject *parent = nullptr);
    ~CLodexDoc() override;

    CDocView *m_pView = nullptr;
    CUserPrompts *m_pPrompts = nullptr;
    // Where each command's change goes for Undo; none: changes are final.
    CChangeHistory *m_pHistory = nullptr;
    ReflectorList m_listReflectors;

    // Framework side: path, title, modified flag.
    const QString &GetPathName() const { return m_strPathName; }
    const QString &GetTitle() const { return m_strTitle; }
    void SetPathName(const QString &path);
    void SetTitle(const QString &title);
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);

    // Deletes every record, emptying the view first so that no row is left
    // pointing to a deleted record, and forgets the history of changes.
    void DeleteContents();
    // Empty, untitled, unmodified; rows refreshed.
    bool OnNewDocument();
    // Reads the file into the document. A file that cannot be opened leaves
    // the contents as they were; a malformed one leaves the document empty
    // (the caller then starts a new one). `error` names the reason. Never
    // Cancelled.
    OpenResult OnOpenDocument(const QString &path, QString *error = nullptr);
    // Writes the list to `path`; on success clears the modified flag and
    // tells the history that this is the list as saved. Over
    // the document's own file, unless `overwriteChanges`, it refuses
    // (ChangedOnDisk) when another program has changed the file since it
    // was opened or saved here.
    CSafeSave::Result OnSaveDocument(const QString &path, QString *error = nullptr, bool overwriteChanges = false);

    // Rebuilds the view's rows from the list, in list order.
    void RefreshView();

    // Long work without the user in between (open, save, import or export
    // of a long list) runs within one of these: busyChanged(true) on
    // the way in, busyChanged(false) on the way out, so that the window
    // shows the busy cursor meanwhile. End it before any message shows. A
    // null document shows nothing.
    class BusyScope
    {
    public:
        explicit BusyScope(CLodexDoc *doc);
        ~BusyScope();
        BusyScope(const BusyScope &) = delete;
        BusyScope &operator=(const BusyScope &) = delete;

    private:
        CLodexDoc *const m_doc;
    };

    // Every change of the list that a command makes is recorded within one
    // of these, which hands the command's change to the history at its end
    // (nested ones join the outermost). Should the command fail half-way
    // (out of memory), what it changed is taken back instead.
    class UndoStep
    {
    public:
        // `nameId`: the string naming the command in the Edit menu.
        UndoStep(CLodexDoc &doc, int nameId);
        ~UndoStep();
        UndoStep(const UndoStep &) = delete;
        UndoStep &operator=(const UndoStep &) = delete;

        CListChange &Change() { return *m_doc.m_pChange; }

    private:
        CLodexDoc &m_doc;
        std::unique_ptr<CListChange> m_change; // null when joined
        int m_exceptions;
    };
    // Undo and Redo of a change made before: the list as it was, or as the
    // change left it, and the rows refreshed.
    void UndoChange(CListChange &change);
    void RedoChange(CListChange &change);

    // The first record with the same IP address as `candidate`, or null.
    CReflector *FindByAddress(const CReflector &candidate) const;
    // Unlinks and deletes `record`; a record not in the list changes nothing.
    void RemoveReflector(CReflector *record);

    // The Delete command: asks, then removes the selected rows' records.
    void OnReflectorDelete();
    // Removes the selected rows' records without asking, as one command
    // named by string `nameId` (Delete, Cut).
    void RemoveSelectedReflectors(int nameId);
    // Delete and Edit are enabled while at least one row is selected.
    bool OnUpdateReflectorSelected() const;

    // --- File commands of the main window ---------------------------------
    // The name Save As proposes: the path, or for a document without one
    // the title cut before its first ':', '/' or '\' plus ".ldx".
    QString ProposedFileName() const;
    // The file name a copy of the document goes by (sent as an attachment):
    // the path's file name, or the title with ".ldx" unless it has an
    // extension already.
    QString CopyFileName() const;
    // Writes the list to `path` without touching the modified flag.
    bool SaveCopy(const QString &path, QString *error = nullptr) const;

    // ---- Import and export (defined in exchange/) ----
    // All take the list in list order and tell the user of failures
    // through m_pPrompts. An export is dated with the current local date
    // and time in the user's formats.

    // The Export command: asks for a file name, then writes a phonebook for
    // an "ini" extension and a semicolon list for any other.
    void OnFileExport();
    // Merges the marker section and the running reflectors into the
    // phonebook at `path`. False, after telling the user, when the file
    // could not be written; it is then left as it was.
    bool ExportPhonebook(const QString &path);
    // Writes every record as a semicolon list. False, after telling the
    // user, when the file could not be written; it is then left as it was.
    bool ExportSemicolonList(const QString &path);
    // The Import command: asks for files, then imports them.
    void OnFileImport();
    // Imports the files in order as one command (one step for Undo): .ini,
    // .csv and .txt by their extension, any other refused with a message.
    // A file that cannot be read or understood is refused whole with a
    // message; one message at the end gives the counts of the others.
    void ImportFiles(const QStringList &paths);
    // The Paste command: `text` imported as labelled blocks, or as a
    // semicolon list when it holds semicolon lines.
    void OnEditPaste(QByteArray text);

    // ---- Add, edit and merge ----
    // The IP address is a reflector's identity: these commands never put a
    // second record with an address already in the list. A clash goes to
    // the conflict dialog, where the user updates the existing record,
    // gives the new one another address, or cancels. Every change marks the
    // document modified before the view is touched; Cancel changes nothing.

    // The Add command: a new record from the reflector dialog, added or merged.
    void OnReflectorAdd();
    // The Edit command, also run on a double-click: the first selected row's
    // record in the reflector dialog. Keeping the address rewrites the
    // record and its row in place; another address leaves it as it was and
    // adds or merges the dialog's values as a new record.
    void OnReflectorEdit();

    enum class MergeResult { Added, Updated, LeftAlone };
    // Puts `candidate` into the list: appended at the end when no record has
    // its address; otherwise the conflict dialog decides, round after round
    // while the user moves it to the address of yet another record.
    MergeResult AddOrMerge(std::unique_ptr<CReflector> candidate);

signals:
    // See BusyScope.
    void busyChanged(bool busy);
    void modifiedChanged(bool modified);
    void titleChanged(const QString &title);

private:
    // After an Undo or Redo: rows rewritten in place when the change only
    // set values of a few records, else rebuilt.
    void ShowChanged(const CListChange &change);

    CListChange *m_pChange = nullptr; // the command's change, while one runs
    QString m_strPathName;
    FileStamp m_fileStamp; // the file as last opened or saved here
    QString m_strTitle;
    bool m_bModified = false;
};

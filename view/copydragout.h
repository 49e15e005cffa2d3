#pragma once

#include "view/core/dragfolders.h"

#include <QObject>
#include <QPointer>

class CLodexView;

// Edit > Copy (and Cut's copy), and dragging the selected rows out of the list.
//
// Copy puts a data object on the clipboard that renders the rows selected
// whenever a program pastes. A drag carries the same text and one .cu
// connection file per selected row, written when the drag starts, for file
// managers to copy where the rows are dropped. Nothing in the list or the
// document changes, whatever the drop did.
class CCopyDragOut : public QObject
{
    Q_OBJECT

public:
    // Installs the drag on the list and sweeps the drag files of runs that
    // ended without removing them. `dragBase` as for CDragFolders.
    explicit CCopyDragOut(CLodexView &view, const QString &dragBase = CDragFolders::DefaultBase(),
                          QObject *parent = nullptr);
    ~CCopyDragOut() override;

    void OnEditCopy();
    // The copy half of Cut: the text of the rows selected now, since they
    // are about to go.
    void OnEditCut();

private:
    void StartDrag();

    CLodexView &m_view;
    QPointer<CLodexView> m_viewAlive; // the list may go first
    CDragFolders m_dragFolders;
};

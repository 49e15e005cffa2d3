#pragma once

#include "data/changehistory.h"

#include <QObject>
#include <QUndoStack>

class CLodexDoc;

// Undo and Redo of the document's changes, on Qt's undo stack: one step
// per command, named after it. The document's modified flag follows the
// stack: back at the step last saved the document is unmodified, and any
// other step makes it modified.
class CUndoHistory : public QObject, public CChangeHistory
{
    Q_OBJECT

public:
    // Becomes the document's history until destroyed.
    explicit CUndoHistory(CLodexDoc &doc, QObject *parent = nullptr);
    ~CUndoHistory() override;

    QUndoStack &Stack() { return m_stack; }

    void Push(std::unique_ptr<CListChange> change) override;
    void Clear() override;
    void MarkSaved() override;

private:
    CLodexDoc &m_doc;
    QUndoStack m_stack;
};

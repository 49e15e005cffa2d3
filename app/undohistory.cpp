#include "app/undohistory.h"

#include "data/listchange.h"
#include "data/lodexdoc.h"

namespace {

// Steps kept: each may hold the records it removed, a million of them.
constexpr int kUndoLimit = 100;

// A change already made when it is pushed: the stack's first redo() is
// the command itself, which has run.
class CListChangeCommand : public QUndoCommand
{
public:
    CListChangeCommand(CLodexDoc &doc, std::unique_ptr<CListChange> change)
        : QUndoCommand(change->Name()), m_doc(doc), m_change(std::move(change))
    {
    }

    void undo() override { m_doc.UndoChange(*m_change); }
    void redo() override
    {
        if (m_made)
            m_doc.RedoChange(*m_change);
        m_made = true;
    }

private:
    CLodexDoc &m_doc;
    std::unique_ptr<CListChange> m_change;
    bool m_made = false;
};

} // namespace

CUndoHistory::CUndoHistory(CLodexDoc &doc, QObject *parent) : QObject(parent), m_doc(doc)
{
    m_stack.setUndoLimit(kUndoLimit);
    m_doc.m_pHistory = this;
    connect(&m_stack, &QUndoStack::cleanChanged, this, [this](bool clean) { m_doc.SetModifiedFlag(!clean); });
}

CUndoHistory::~CUndoHistory()
{
    if (m_doc.m_pHistory == this)
        m_doc.m_pHistory = nullptr;
    // The steps go without telling anyone: the window may be going too.
    m_stack.disconnect();
}

void CUndoHistory::Push(std::unique_ptr<CListChange> change)
{
    m_stack.push(new CListChangeCommand(m_doc, std::move(change)));
}

void CUndoHistory::Clear()
{
    m_stack.clear();
}

void CUndoHistory::MarkSaved()
{
    m_stack.setClean();
}

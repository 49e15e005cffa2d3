#pragma once

#include <memory>

class CListChange;

// Where the document hands each command's change of the list, already
// made, for Undo and Redo. The window keeps the history; without one (the
// command-line tool) changes are simply made.
class CChangeHistory
{
public:
    virtual ~CChangeHistory() = default;

    virtual void Push(std::unique_ptr<CListChange> change) = 0;
    // The list was replaced: no change can be taken back any more.
    virtual void Clear() = 0;
    // The list as it stands is the one in its file.
    virtual void MarkSaved() = 0;
};

#pragma once

#include "data/reflectorlist.h"
#include "data/reflectorvalues.h"

#include <QString>

#include <cstddef>
#include <vector>

// One command's change of the reflector list, as the steps it took, so that
// it can be taken back (Undo) and made again (Redo). Each Record... call
// makes its step on the list and remembers it; Undo() takes the steps back
// in reverse order and Redo() makes them again in order.
//
// Records move between the list and the change, never copied: a record
// taken out of the list (removed, or appended and then undone) belongs to
// the change until it goes back. So a record that an update refers to
// stays the same object through any sequence of Undo and Redo, and a row
// of the view can point to it again afterwards.
class CListChange
{
public:
    explicit CListChange(QString name) : m_name(std::move(name)) {}
    CListChange(const CListChange &) = delete;
    CListChange &operator=(const CListChange &) = delete;

    // The command's name as the Edit menu shows it ("Delete").
    const QString &Name() const { return m_name; }
    bool IsEmpty() const { return m_steps.empty(); }

    // Appends `record` at the end of `list`.
    CReflector *RecordAppend(ReflectorList &list, std::unique_ptr<CReflector> record);
    // Gives `record` the values of `source` by assignment (which trims).
    void RecordAssign(CReflector &record, const CReflector &source);
    // Removes the records at `indexes` (ascending, no repeats) from `list`.
    void RecordRemoval(ReflectorList &list, const std::vector<std::size_t> &indexes);

    void Undo(ReflectorList &list);
    void Redo(ReflectorList &list);
    // Undo for good, allocating nothing: what a failed command did goes.
    void Revert(ReflectorList &list);

    // The records whose values the change sets, when that is all it does
    // (their rows can be rewritten in place); empty otherwise.
    std::vector<CReflector *> UpdatedOnly() const;

private:
    struct Step {
        enum Kind { Append, Update, Remove };
        explicit Step(Kind k) : kind(k) {}

        Kind kind;
        // Append: how many records went to the end of the list.
        std::size_t count = 0;
        // Update: the record and the values it does not hold at the moment.
        CReflector *record = nullptr;
        ReflectorValues other;
        // Remove: the indexes the records had; Append and Remove: the
        // records while they are out of the list.
        std::vector<std::size_t> indexes;
        ReflectorList held;
    };

    void Apply(Step &step, ReflectorList &list);
    // `keep`: the records taken out stay in the step, for a Redo.
    void TakeBack(Step &step, ReflectorList &list, bool keep);

    QString m_name;
    std::vector<Step> m_steps;
};

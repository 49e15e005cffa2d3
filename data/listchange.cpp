#include "data/listchange.h"

#include <utility>

namespace {

// Allocates nothing, so that a failed command can always be taken back.
void SwapValues(CReflector &record, ReflectorValues &other)
{
    for (int i = 0; i < CReflector::kTextCount; ++i)
        record.Text(i).swap(other.text[i]);
    std::swap(record.m_bAddToMenu, other.flag[0]);
    std::swap(record.m_bSendVideo, other.flag[1]);
    std::swap(record.m_bReceiveVideo, other.flag[2]);
    std::swap(record.m_bRunning, other.flag[3]);
}

} // namespace

CReflector *CListChange::RecordAppend(ReflectorList &list, std::unique_ptr<CReflector> record)
{
    CReflector *added = record.get();
    list.push_back(std::move(record));
    // An import appends a million records: one step for a run of them.
    if (m_steps.empty() || m_steps.back().kind != Step::Append)
        m_steps.emplace_back(Step::Append);
    ++m_steps.back().count;
    return added;
}

void CListChange::RecordAssign(CReflector &record, const CReflector &source)
{
    Step step(Step::Update);
    step.record = &record;
    step.other = ReflectorValues::FromRecord(record);
    record = source;
    m_steps.push_back(std::move(step));
}

void CListChange::RecordRemoval(ReflectorList &list, const std::vector<std::size_t> &indexes)
{
    if (indexes.empty())
        return;
    Step step(Step::Remove);
    step.indexes = indexes;
    Apply(step, list);
    m_steps.push_back(std::move(step));
}

void CListChange::Apply(Step &step, ReflectorList &list)
{
    switch (step.kind) {
    case Step::Append:
        for (auto &record : step.held)
            list.push_back(std::move(record));
        step.held.clear();
        break;
    case Step::Update:
        SwapValues(*step.record, step.other);
        break;
    case Step::Remove: {
        // One pass: the records at the indexes go out, the others close up.
        step.held.reserve(step.indexes.size());
        std::size_t next = 0, kept = 0;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (next < step.indexes.size() && step.indexes[next] == i) {
                step.held.push_back(std::move(list[i]));
                ++next;
            } else {
                list[kept++] = std::move(list[i]);
            }
        }
        list.resize(kept);
        break;
    }
    }
}

void CListChange::TakeBack(Step &step, ReflectorList &list, bool keep)
{
    switch (step.kind) {
    case Step::Append:
        if (keep) {
            step.held.reserve(step.count);
            for (std::size_t i = list.size() - step.count; i < list.size(); ++i)
                step.held.push_back(std::move(list[i]));
        }
        list.resize(list.size() - step.count);
        break;
    case Step::Update:
        SwapValues(*step.record, step.other);
        break;
    case Step::Remove: {
        // One pass from the back: each record returns to its old index.
        // The list had this size before: no allocation.
        std::size_t from = list.size();
        list.resize(list.size() + step.held.size());
        std::size_t back = step.held.size();
        for (std::size_t i = list.size(); back > 0 && i-- > 0;) {
            if (step.indexes[back - 1] == i)
                list[i] = std::move(step.held[--back]);
            else
                list[i] = std::move(list[--from]);
        }
        step.held.clear();
        step.held.shrink_to_fit();
        break;
    }
    }
}

void CListChange::Undo(ReflectorList &list)
{
    for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step)
        TakeBack(*step, list, true);
}

void CListChange::Revert(ReflectorList &list)
{
    for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step)
        TakeBack(*step, list, false);
    m_steps.clear();
}

void CListChange::Redo(ReflectorList &list)
{
    for (Step &step : m_steps)
        Apply(step, list);
}

std::vector<CReflector *> CListChange::UpdatedOnly() const
{
    std::vector<CReflector *> records;
    for (const Step &step : m_steps) {
        if (step.kind != Step::Update)
            return {};
        records.push_back(step.record);
    }
    return records;
}

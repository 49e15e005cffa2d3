#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A save that writes a file in place first copies the old contents to the
// copies' folder and leaves a journal beside the copy (the copy's name
// plus ".journal", holding the target's path), and removes both when it
// ends. The writer holds a lock on the journal meanwhile, so a journal that
// nobody holds belongs to a save that never ended: a crash, a kill, a power
// cut. Those are found here, to be put back or forgotten.
struct InterruptedSave {
    QString target; // the file whose save was cut short
    QString copy;   // its contents before that save
};

namespace SaveJournal {

// ~/.cache/COMPANY/Lodex.
QString Folder();
QByteArray JournalName(const QByteArray &copyName);

// The saves whose writer is gone, oldest first. Journals whose copy is gone
// are removed on the way.
QList<InterruptedSave> Interrupted();
// Writes the copy's contents over the target (safely), then forgets it.
bool PutBack(const InterruptedSave &save, QString *error);
// Removes the copy and its journal; the target stays as it is.
void Forget(const InterruptedSave &save);

} // namespace SaveJournal

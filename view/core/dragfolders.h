#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class CReflector;

// The private folders that hold the .cu files offered by drags.
//
// File managers copy the files after the drop has returned, so the files
// of a drag stay until the next drag or the end of the run. Each run keeps
// its drags in a folder named after its process id; folders of runs that
// ended without cleaning up are swept at start-up.
class CDragFolders
{
public:
    // `base` is shared by all runs; by default "lodex-drag" in the user's
    // private runtime folder. Without one (an empty or relative `base`)
    // nothing is written, swept or removed: drags then carry only text.
    explicit CDragFolders(const QString &base = DefaultBase());
    ~CDragFolders();
    CDragFolders(const CDragFolders &) = delete;
    CDragFolders &operator=(const CDragFolders &) = delete;

    // Empty when the user has no private runtime folder.
    static QString DefaultBase();

    // Removes the folders of runs whose process no longer exists.
    void SweepLeftovers();

    // Writes one connection file per record into a new folder, after
    // removing the folders of earlier drags. Answers the files' paths in
    // record order; on any failure nothing of this drag is left and the
    // answer is empty.
    QStringList WriteDragFiles(const std::vector<const CReflector *> &records);

    // This run's folder (it may not exist yet); empty without a base.
    QString RunFolder() const;

private:
    bool HasBase() const;
    QString NewDragFolder();

    QString m_strBase;
    int m_nDrags = 0;
};

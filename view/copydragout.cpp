#include "view/copydragout.h"

#include "view/core/reflectordatasource.h"
#include "view/core/selectedrecords.h"
#include "view/lodexview.h"

#include <QClipboard>
#include <QDrag>
#include <QGuiApplication>
#include <QUrl>

CCopyDragOut::CCopyDragOut(CLodexView &view, const QString &dragBase, QObject *parent)
    : QObject(parent)
    , m_view(view)
    , m_viewAlive(&view)
    , m_dragFolders(dragBase)
{
    m_dragFolders.SweepLeftovers();
    m_view.SetDragHandler([this](Qt::DropActions) { StartDrag(); });
}

CCopyDragOut::~CCopyDragOut()
{
    if (m_viewAlive)
        m_view.SetDragHandler({});
}

void CCopyDragOut::OnEditCopy()
{
    QGuiApplication::clipboard()->setMimeData(new CReflectorDataSource(&m_view, &m_view));
}

void CCopyDragOut::OnEditCut()
{
    auto *data = new CReflectorDataSource(&m_view, &m_view);
    data->Freeze();
    QGuiApplication::clipboard()->setMimeData(data);
}

void CCopyDragOut::StartDrag()
{
    const std::vector<const CReflector *> records = SelectedRecords(m_view);
    if (records.empty())
        return;
    auto *data = new CReflectorDataSource(&m_view, &m_view);
    // Without files (a folder that cannot be written) the text still goes.
    QList<QUrl> urls;
    for (const QString &path : m_dragFolders.WriteDragFiles(records))
        urls << QUrl::fromLocalFile(path);
    if (!urls.isEmpty())
        data->setUrls(urls);
    auto *drag = new QDrag(&m_view); // Qt deletes it, and the data, when the drag ends
    drag->setMimeData(data);
    // A move only means the receiver took its copy: the rows stay.
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

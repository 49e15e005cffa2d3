#include "view/core/reflectordatasource.h"

#include "base/outofmemory.h"
#include "view/core/reflectortext.h"
#include "view/core/selectedrecords.h"

#include <QCoreApplication>

namespace {

// Both names of the same UTF-8 text: X11 programs ask for the first,
// Wayland and some toolkits for the second.
const QLatin1String kPlainText("text/plain");
const QLatin1String kPlainTextUtf8("text/plain;charset=utf-8");

bool IsTextFormat(const QString &mimeType)
{
    return mimeType == kPlainText || mimeType == kPlainTextUtf8;
}

} // namespace

CReflectorDataSource::CReflectorDataSource(const CDocView *view, QObject *viewObject, QObject *parent)
    : m_pView(view)
    , m_viewObject(viewObject)
{
    setParent(parent);
    // The program's end releases the list before the application object;
    // the clipboard manager asks only after that.
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &CReflectorDataSource::Freeze);
}

void CReflectorDataSource::Freeze()
{
    if (!m_frozenText)
        m_frozenText = RenderText();
}

QByteArray CReflectorDataSource::RenderText() const
{
    if (m_frozenText)
        return *m_frozenText;
    if (!m_pView || !m_viewObject)
        return QByteArray();
    // The clipboard asks long after the command; without the memory to
    // render the text, the paste is empty rather than the program gone.
    QByteArray text;
    QString error;
    if (!CatchOutOfMemory([&] { text = ReflectorText(SelectedRecords(*m_pView)); return true; }, &error))
        qWarning("Lodex: cannot render the copied rows: %s", qPrintable(error));
    return text;
}

QStringList CReflectorDataSource::formats() const
{
    return QStringList{kPlainText, kPlainTextUtf8} + QMimeData::formats();
}

bool CReflectorDataSource::hasFormat(const QString &mimeType) const
{
    return IsTextFormat(mimeType) || QMimeData::hasFormat(mimeType);
}

QVariant CReflectorDataSource::retrieveData(const QString &mimeType, QMetaType type) const
{
    if (!IsTextFormat(mimeType))
        return QMimeData::retrieveData(mimeType, type);
    const QByteArray text = RenderText();
    if (type.id() == QMetaType::QString)
        return QString::fromUtf8(text);
    return text;
}

#include "app/toolbarcaption.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QToolBar>

CToolBarCaption::CToolBarCaption(QToolBar *bar) : QObject(bar), m_bar(bar)
{
    connect(bar, &QToolBar::topLevelChanged, this, [this](bool floating) {
        if (floating)
            QTimer::singleShot(0, this, &CToolBarCaption::FrameWhenFloating);
    });
    bar->installEventFilter(this);
}

bool CToolBarCaption::eventFilter(QObject *watched, QEvent *event)
{
    // The end of a drag: the bar has just made itself frameless again.
    if (watched == m_bar && event->type() == QEvent::MouseButtonRelease)
        QTimer::singleShot(0, this, &CToolBarCaption::FrameWhenFloating);
    return QObject::eventFilter(watched, event);
}

void CToolBarCaption::FrameWhenFloating()
{
    if (!m_bar->isFloating() || QGuiApplication::mouseButtons() != Qt::NoButton
        || !m_bar->windowFlags().testFlag(Qt::FramelessWindowHint))
        return;
    const QRect geometry = m_bar->geometry();
    m_bar->setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_bar->setGeometry(geometry);
    m_bar->show();
}

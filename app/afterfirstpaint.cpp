#include "app/afterfirstpaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class CFirstPaintWatch : public QObject
{
public:
    CFirstPaintWatch(QWidget *widget, std::function<void()> work) : QObject(widget), m_work(std::move(work))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After this paint and the flush that follows it.
            QTimer::singleShot(0, parent(), std::move(m_work));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_work;
};

} // namespace

void RunAfterFirstPaint(QWidget *widget, std::function<void()> work)
{
    new CFirstPaintWatch(widget, std::move(work));
}

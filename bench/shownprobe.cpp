// Preloaded into Lodex by lodex-measure --until-shown: once the main window
// has painted for the first time, writes one byte to the descriptor named
// by LODEX_SHOWN_FD and ends the program on the spot, so that what is
// measured is the start up to a window the user can see.
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

#include <cstdlib>
#include <unistd.h>

namespace {

class CShownProbe : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        const QWidget *window = static_cast<QWidget *>(watched)->window();
        if (!qobject_cast<const QMainWindow *>(window) || !window->isVisible())
            return false;
        QCoreApplication::instance()->removeEventFilter(this);
        // After this paint and the flush to the screen that follows it.
        QTimer::singleShot(0, [] {
            const char *fd = std::getenv("LODEX_SHOWN_FD");
            if (fd && write(std::atoi(fd), "1", 1) != 1)
                _exit(1);
            _exit(0);
        });
        return false;
    }
};

void InstallProbe()
{
    QCoreApplication::instance()->installEventFilter(new CShownProbe);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)

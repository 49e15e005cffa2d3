#include "app/displaycheck.h"
#include "app/lodexapp.h"

#include <QByteArrayList>

#include <cstdio>
#include <cstdlib>

namespace {

// While the application object connects to the display, the toolkit's
// messages are held back: if the connection fails they give way to a
// plain explanation, otherwise they are passed on.
QByteArrayList g_heldMessages;
QtMessageHandler g_previousHandler = nullptr;

void HoldStartupMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        g_heldMessages << message.toLocal8Bit();
        Q_UNUSED(context);
        return;
    }
    std::fprintf(stderr, "lodex: cannot connect to the display: %s\n%s\n",
                 (g_heldMessages.isEmpty() ? message.toLocal8Bit() : g_heldMessages.constFirst()).constData(),
                 MissingDisplayAdvice().toLocal8Bit().constData());
    std::_Exit(CLodexApp::kExitFailure);
}

} // namespace

int main(int argc, char *argv[])
{
    const QString reason = MissingDisplayReason(argc, argv);
    if (!reason.isEmpty()) {
        std::fprintf(stderr, "lodex: %s\n%s\n", reason.toLocal8Bit().constData(),
                     MissingDisplayAdvice().toLocal8Bit().constData());
        return CLodexApp::kExitFailure;
    }

    g_previousHandler = qInstallMessageHandler(HoldStartupMessages);
    CLodexApp app(argc, argv);
    qInstallMessageHandler(g_previousHandler);
    for (const QByteArray &message : std::as_const(g_heldMessages))
        std::fprintf(stderr, "%s\n", message.constData());

    return app.Run();
}

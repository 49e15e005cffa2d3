#include "app/core/commandlineinfo.h"
#include "app/core/displaycheck.h"
#include "app/lodexapp.h"
#include "resources/versioninfo.h"

#include <QByteArrayList>

#include <cstdio>
#include <cstdlib>

namespace {

const char kUsage[] = R"(Usage: lodex [FILE.ldx]
       lodex OPTION [ARGUMENTS]

Keeps a database of the reflectors of the Enhanced CU-SeeMe client. With
FILE.ldx Lodex opens that database, without it starts with an empty list.

Options (one dash, any letter case; '/' may stand for the dash):
  -p FILE.ldx         print the list on the default printer, then end
  -pt FILE.ldx PRINTER DRIVER PORT
                      print the list on PRINTER, then end; a PORT (or else
                      PRINTER) that names a .pdf file is printed into
  -dde FILE.ldx       open the file in the running Lodex, else start one
                      (the desktop starts Lodex this way)
  -Register           make Lodex this user's program for .ldx files, then end
                      (also -Regserver)
  -Unregister         remove what -Register added, then end (also -Unregserver)
  -h, --help          print this help, then end
  --version           print the version, then end

Windows need a display; without one, run "xvfb-run -a lodex FILE.ldx".
For scripts, lodex-cli reads, writes and exports .ldx files without a
window: see "lodex-cli --help", lodex(1) and lodex-cli(1).
)";

// Answers --help or --version on standard output. A full disk or a closed
// pipe is a failure, not a silent success.
int PrintInformation(CCommandLineInfo::InfoRequest request)
{
    const QByteArray text = request == CCommandLineInfo::HelpRequest
                                ? QByteArray(kUsage)
                                : "lodex " + CVersionInfo::ThisProgram().DottedVersion().toLatin1() + '\n';
    if (std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout) != std::size_t(text.size()) ||
        std::fflush(stdout) != 0) {
        std::fprintf(stderr, "lodex: cannot write to standard output\n");
        return CLodexApp::kExitFailure;
    }
    return CLodexApp::kExitSuccess;
}

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
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto request = CCommandLineInfo::FindInfoRequest(arguments))
        return PrintInformation(request);

    const CCommandLineInfo info = CCommandLineInfo::Parse(arguments);
    const QString missing = info.MissingArgument();
    if (!missing.isEmpty()) {
        std::fprintf(stderr, "lodex: %s needs %s\n\n%s", info.option.toLocal8Bit().constData(),
                     missing.toLatin1().constData(), kUsage);
        return CLodexApp::kExitFailure;
    }

    // Printing from the command line shows no window, so it needs no
    // display: a PDF file or a printer is all it writes to.
    const bool prints = info.command == CCommandLineInfo::FilePrint || info.command == CCommandLineInfo::FilePrintTo;
    const QString reason = prints ? QString() : MissingDisplayReason(argc, argv);
    if (prints)
        qputenv("QT_QPA_PLATFORM", "offscreen");
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

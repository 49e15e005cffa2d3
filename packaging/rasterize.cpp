// lodex-rasterize SOURCE.svg OUTPUT.png SIZE
// Renders an icon into a square PNG for the icon theme's fixed sizes, with
// Qt's own SVG image plugin, so the build needs no separate converter.
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool sizeOk = false;
    const int size = args.size() == 4 ? args[3].toInt(&sizeOk) : 0;
    if (!sizeOk || size <= 0 || size > 1024) {
        std::fprintf(stderr, "Usage: lodex-rasterize SOURCE.svg OUTPUT.png SIZE (1 to 1024)\n");
        return 2;
    }
    QImageReader reader(args[1], "svg");
    reader.setScaledSize(QSize(size, size));
    const QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "lodex-rasterize: %s: %s\n", qPrintable(args[1]), qPrintable(reader.errorString()));
        return 1;
    }
    QSaveFile out(args[2]);
    if (!out.open(QIODevice::WriteOnly) || !image.save(&out, "png") || !out.commit()) {
        std::fprintf(stderr, "lodex-rasterize: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}

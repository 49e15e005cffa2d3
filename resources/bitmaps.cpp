#include "resources/bitmaps.h"

#include "resources/resourcefiles.h"

QIcon ProgramIcon()
{
    return QIcon(QLatin1String(ResourceFiles::kProgramIcon));
}

QImage BandPatternBitmap()
{
    static const QImage pattern = [] {
        QImage image(8, 8, QImage::Format_Indexed8);
        image.setColorTable({qRgb(255, 255, 255), qRgb(0, 128, 128)});
        image.fill(0);
        for (int y = 0; y < 8; y += 2) {
            const int first = (y % 4 == 0) ? 0 : 2;
            for (int x = first; x < 8; x += 4)
                image.setPixel(x, y, 1);
        }
        return image;
    }();
    return pattern;
}

QColor BandPatternTint()
{
    const QImage pattern = BandPatternBitmap();
    int red = 0, green = 0, blue = 0;
    for (int y = 0; y < pattern.height(); ++y) {
        for (int x = 0; x < pattern.width(); ++x) {
            const QRgb pixel = pattern.pixel(x, y);
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
        }
    }
    const int count = pattern.width() * pattern.height();
    return QColor(red / count, green / count, blue / count);
}

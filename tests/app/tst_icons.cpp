#include "support/testmain.h"

#include <QIcon>
#include <QImage>
#include <QTest>

// The icons the windows use, drawn through Qt's SVG icon engine.
class IconsTest : public QObject
{
    Q_OBJECT

private slots:
    void iconDrawsAtToolBarAndWindowSizes_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"lodex", "ldx-document", "new", "open", "save", "cut", "copy", "paste", "add",
                                 "delete", "print", "about"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void iconDrawsAtToolBarAndWindowSizes()
    {
        QFETCH(QString, name);
        const QIcon icon(QStringLiteral(":/icons/%1.svg").arg(name));
        for (int size : {16, 48}) {
            const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(image.size(), QSize(size, size));
            // Something is drawn, and nothing spills over the edges' middle.
            int opaque = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    opaque += qAlpha(image.pixel(x, y)) > 128;
            QVERIFY2(opaque > size * size / 8, qPrintable(QStringLiteral("%1 px: %2 opaque").arg(size).arg(opaque)));
            QVERIFY2(opaque < size * size, "no transparent margin at all");
        }
    }
};

LODEX_TEST(IconsTest)
#include "tst_icons.moc"

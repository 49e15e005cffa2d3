#include "app/commandactions.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QAction>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace {

QImage Drawn(const QIcon &icon)
{
    return icon.pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32);
}

// An icon theme in `folder` with every image the command table names for
// the theme, each drawn as `square`.
bool WriteTheme(const QString &folder, const QImage &square)
{
    bool written = QDir().mkpath(folder + QStringLiteral("/16x16"))
                   && WriteAll(folder + QStringLiteral("/index.theme"),
                               "[Icon Theme]\nDirectories=16x16\n[16x16]\nSize=16\nType=Fixed\n");
    for (const CommandInfo &info : CommandTable())
        if (info.themeIcon)
            written = written && square.save(QStringLiteral("%1/16x16/%2.png").arg(folder, info.themeIcon));
    return written;
}

} // namespace

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

    void commandsTakeTheThemesIconsElseTheirOwn_data()
    {
        QTest::addColumn<bool>("themeHasThem");
        QTest::newRow("no theme: Lodex's own") << false;
        QTest::newRow("the theme's") << true;
    }
    void commandsTakeTheThemesIconsElseTheirOwn()
    {
        QFETCH(bool, themeHasThem);
        QTemporaryDir themes;
        QImage square(16, 16, QImage::Format_ARGB32);
        square.fill(QColor(0, 200, 0));
        QVERIFY(WriteTheme(themes.filePath(QStringLiteral("test")), square));
        const auto restore = qScopeGuard([searchPaths = QIcon::themeSearchPaths(), name = QIcon::themeName()] {
            QIcon::setThemeName(name);
            QIcon::setThemeSearchPaths(searchPaths);
        });
        QIcon::setThemeSearchPaths({themes.path()});
        QIcon::setThemeName(themeHasThem ? QStringLiteral("test") : QStringLiteral("no-such-theme"));

        QWidget owner;
        CCommandActions commands(&owner);
        for (const CommandInfo &info : CommandTable()) {
            if (!info.icon)
                continue;
            const QImage own = Drawn(QIcon(QStringLiteral(":/icons/") + QLatin1String(info.icon)));
            const QImage shown = Drawn(commands.Action(info.id)->icon());
            QVERIFY2(shown == (themeHasThem ? square : own), info.icon);
        }
    }
};

LODEX_TEST(IconsTest)
#include "tst_icons.moc"

#include "app/aboutbox.h"

#include "resources/bitmaps.h"
#include "resources/strings.h"
#include "resources/versioninfo.h"

#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {

// The box is laid out in dialog units, a quarter of the font's average
// character width across and an eighth of its height down, so it keeps
// its proportions with any font.
struct DialogUnits {
    explicit DialogUnits(const QFontMetrics &fm)
        : baseX(std::max(1, (fm.horizontalAdvance(QStringLiteral(
                                  "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) + 26) / 52)),
          baseY(std::max(1, fm.height()))
    {
    }
    QRect Rect(int x, int y, int w, int h) const
    {
        return QRect(x * baseX / 4, y * baseY / 8, w * baseX / 4, h * baseY / 8);
    }
    int baseX;
    int baseY;
};

struct Line {
    const char *objectName;
    int x, y, w, h;
    const char *templateText;
};

constexpr Line kProduct{"productLine", 35, 7, 153, 8, "<product name>"};
constexpr Line kDescription{"descriptionLine", 35, 21, 153, 16, "<description>"};
constexpr Line kVersion{"versionLine", 35, 43, 153, 8, "<version>"};
constexpr Line kCopyright{"copyrightLine", 35, 57, 153, 8, "<copyright>"};
constexpr Line kTrademarks{"trademarksLine", 35, 71, 153, 16, "<Trademarks>"};
constexpr Line kComment{"commentLine", 7, 103, 181, 8, "<comment>"};

} // namespace

CAboutBox::CAboutBox(const CVersionInfo &info, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(tr("About..."));
    BuildControls();
    FillLines(info);
}

void CAboutBox::Run(QWidget *parent)
{
    CAboutBox box(CVersionInfo::ThisProgram(), parent);
    box.exec();
}

void CAboutBox::BuildControls()
{
    const DialogUnits du(fontMetrics());
    setFixedSize(du.Rect(0, 0, 195, 138).size());

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("programIcon"));
    icon->setGeometry(du.Rect(7, 7, 21, 20));
    const int side = std::min(icon->width(), icon->height());
    icon->setPixmap(ProgramIcon().pixmap(side, side));

    for (const Line &line : {kProduct, kDescription, kVersion, kCopyright, kTrademarks, kComment}) {
        auto *label = new QLabel(QString::fromLatin1(line.templateText), this);
        label->setObjectName(QString::fromLatin1(line.objectName));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        // Two-line controls wrap; one-line controls clip, so the line feed
        // that ends the version text adds no visible line.
        label->setWordWrap(line.h > 8);
        label->setGeometry(du.Rect(line.x, line.y, line.w, line.h));
    }

    auto *rule = new QFrame(this);
    rule->setObjectName(QStringLiteral("rule"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(du.Rect(7, 98, 181, 1).adjusted(0, 0, 0, 2));

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    ok->setGeometry(du.Rect(73, 117, 50, 14));
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void CAboutBox::FillLines(const CVersionInfo &info)
{
    auto setLine = [this](const Line &line, const QString &text) {
        if (!text.isEmpty())
            findChild<QLabel *>(QString::fromLatin1(line.objectName))->setText(text);
    };
    if (info.m_bHasFixedVersion) {
        const auto &v = info.m_fileVersion;
        setLine(kVersion, LoadQString(Str::VersionFormat).arg(v[0]).arg(v[1]).arg(v[2]).arg(v[3]));
    }
    // The product line needs both names; a company alone is not shown.
    const QString company = info.Value(QStringLiteral("CompanyName"));
    const QString product = company.isEmpty() ? QString() : info.Value(QStringLiteral("ProductName"));
    if (!product.isEmpty())
        setLine(kProduct, company + QLatin1Char(' ') + product);
    setLine(kDescription, info.Value(QStringLiteral("FileDescription")));
    setLine(kComment, info.Value(QStringLiteral("Comments")));
    setLine(kCopyright, info.Value(QStringLiteral("LegalCopyright")));
    setLine(kTrademarks, info.Value(QStringLiteral("LegalTrademarks")));
}

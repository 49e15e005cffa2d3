#include "app/weblinks.h"

#include "lodex_versioninfo.h"

#include <QDesktopServices>

namespace WebLinks {

QUrl Address(Site site)
{
    switch (site) {
    case Site::ClientMaker:
        return QUrl(QStringLiteral("https://www.example.com/"));
    case Site::AuthorHome:
        return QUrl(QStringLiteral(LODEX_INFO_HOMEPAGE));
    }
    return QUrl();
}

void Open(Site site)
{
    QDesktopServices::openUrl(Address(site));
}

} // namespace WebLinks

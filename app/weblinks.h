#pragma once

#include <QUrl>

// The two pages of Help > Web sites. The author's home page is the
// project's, which the build names once (LODEX_HOMEPAGE) for the AppStream
// metadata too.
namespace WebLinks {

enum class Site {
    ClientMaker, // the Enhanced CU-SeeMe client's maker
    AuthorHome,  // the author's home page
};

QUrl Address(Site site);

// Hands the address to the desktop's browser. Whether that worked is the
// desktop's business: it shows its own message when it has one.
void Open(Site site);

} // namespace WebLinks

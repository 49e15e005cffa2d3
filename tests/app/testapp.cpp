// The application suite runs inside the program's own application object,
// so that start-up and shutdown are tested as the program runs them.
#include "app/lodexapp.h"

#include <memory>

std::unique_ptr<QCoreApplication> MakeTestApplication(int &argc, char **argv)
{
    return std::make_unique<CLodexApp>(argc, argv);
}

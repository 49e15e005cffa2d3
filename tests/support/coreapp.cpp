#include <QCoreApplication>

#include <memory>

std::unique_ptr<QCoreApplication> MakeTestApplication(int &argc, char **argv)
{
    return std::make_unique<QCoreApplication>(argc, argv);
}

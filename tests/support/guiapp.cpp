#include <QApplication>

#include <memory>

std::unique_ptr<QCoreApplication> MakeTestApplication(int &argc, char **argv)
{
    return std::make_unique<QApplication>(argc, argv);
}

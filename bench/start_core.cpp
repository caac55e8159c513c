// The least a command built on Qt Core pays at its start: the libraries
// loaded and a QCoreApplication made. The yardstick of kobrix-cli's start.

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return 0;
}

// Kobrix: starts with the start dialog and runs the windows until the user
// ends the program.

#include "core/ProgramTexts.h"
#include "platform/DiscArrivals.h"
#include "platform/DriveSource.h"
#include "platform/ProcessSetup.h"
#include "ui/main/AppController.h"
#include "ui/common/CommonDialog.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PrintPreview.h"
#include "ui/common/QtShellOpener.h"
#include "ui/common/ToolbarIcons.h"
#include "ui/common/UiServices.h"
#include "ui/common/WindowLanguage.h"
#include "ui/main/StartArguments.h"

#include <QApplication>
#include <QDir>
#include <QSettings>

#include <cstdio>

namespace {

// Prints what the command line asked for; its exit code.
int printArguments(const kobrix::StartArguments &arguments)
{
    std::fputs(arguments.text.toLocal8Bit().constData(),
               arguments.outcome == kobrix::StartArguments::Outcome::Print ? stdout : stderr);
    return arguments.exitCode;
}

} // namespace

int main(int argc, char **argv)
{
    // --help and --version print and end, also where no window can open.
    // (Qt's own options, such as -platform, are known only once the
    // application object has taken them out: they are read again below.)
    QStringList given;
    for (int i = 0; i < argc; ++i)
        given << QString::fromLocal8Bit(argv[i]);
    const kobrix::StartArguments early =
        kobrix::parseStartArguments(given, QStringLiteral(KOBRIX_VERSION), QString());
    if (early.outcome == kobrix::StartArguments::Outcome::Print)
        return printArguments(early);

    QApplication app(argc, argv);
    // After the application object, which sets the locale from the
    // environment: a catalog that outgrows the file size limit fails with an
    // error the writer reports, and disc images give the same names as in
    // kobrix-cli, whatever the locale.
    kobrix::prepareProcess();
    // The windows in the desktop's language, where the program has it.
    kobrix::useSystemLanguage(app);
    QApplication::setApplicationName(kobrix::ProgramTexts::programTitle());
    QApplication::setApplicationVersion(QStringLiteral(KOBRIX_VERSION));
    // A catalog named is opened for searching in place of the start
    // dialog's question.
    const kobrix::StartArguments arguments = kobrix::parseStartArguments(
        QApplication::arguments(), QApplication::applicationVersion(), QDir::currentPath());
    if (arguments.outcome != kobrix::StartArguments::Outcome::Start)
        return printArguments(arguments);
    // Ties the windows to the installed menu entry (and its icon) on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Kobrix"));
    QApplication::setWindowIcon(kobrix::toolbarIcon(kobrix::ToolbarImage::CompactDisc));
    // The program ends when the user says so (Cancel, close box, Exit), not
    // when the last window happens to be hidden between two windows.
    QApplication::setQuitOnLastWindowClosed(false);

    kobrix::QtMessageBoxService messages;
    kobrix::QtFileDialogBackend fileDialogs;
    const std::unique_ptr<kobrix::DriveSource> drives = kobrix::systemDriveSource();
    kobrix::QtShellOpener shell;
    kobrix::UiServices services;
    services.messages = &messages;
    services.fileDialogs = &fileDialogs;
    services.drives = drives.get();
    services.shell = &shell;
    // Made now, asks the system only when discs are first catalogued.
    const std::unique_ptr<kobrix::DiscArrivals> discArrivals = kobrix::systemDiscArrivals();
    services.discArrivals = discArrivals.get();
    // The recent catalogs and the Discs window's layout, from one run to the next.
    QSettings settings(kobrix::ProgramTexts::programTitle(), kobrix::ProgramTexts::programTitle());
    services.settings = &settings;
#ifdef KOBRIX_HAVE_PRINTING
    kobrix::QtPrintPreviewService printPreview;
    services.printPreview = &printPreview;
#endif

    kobrix::AppController controller(services);
    QObject::connect(&controller, &kobrix::AppController::quitRequested, &app,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    controller.start(arguments.catalog);
    return app.exec();
}

#include "app/DeploymentConfig.h"
#include "app/TerminationSignals.h"
#include "ui/TFrmMessage.h"
#include "ui/TfrmMain.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Termovia"));

    TfrmMain frmMain(DeploymentConfig::compiledIn());
    // The dialog form made at start; every message makes a window of its own.
    TFrmMessage FrmMessage;
    frmMain.show();

    // Stopped from outside (SIGTERM, SIGINT): end the loop in order, so the
    // link is closed and the settings are written as on any exit.
    TerminationSignals termination;
    termination.install();
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, &QApplication::quit);

    const int rc = app.exec();
    // However the loop ended: disconnect, save the settings, stop the workers.
    frmMain.CloseProc();
    frmMain.stopWorkers();
    return rc;
}

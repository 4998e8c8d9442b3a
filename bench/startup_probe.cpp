// Start-up probe for bench/startup.py: shows either the program's main window
// or a bare frameless 1000 x 700 window, prints the monotonic clock at its
// first paint, then its resident memory after a second of idling, and exits.
#include "app/DeploymentConfig.h"
#include "ui/TfrmMain.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>
#include <ctime>

namespace {

long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

long residentKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && !m_done) {
            m_done = true;
            std::printf("painted_ns=%lld\n", monotonicNs());
            std::fflush(stdout);
            QTimer::singleShot(1000, [] {
                std::printf("rss_kb=%ld\n", residentKb());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(o, e);
    }

private:
    bool m_done = false;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    FirstPaint probe;
    std::unique_ptr<QMainWindow> window;
    if (args.value(1) == QLatin1String("bare")) {
        window = std::make_unique<QMainWindow>();
        window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        window->resize(1000, 700);
    } else {
        DeploymentConfig config = DeploymentConfig::compiledIn();
        config.dbDriver = QStringLiteral("QSQLITE");
        config.dbSource = args.value(2);
        window = std::make_unique<TfrmMain>(config);
    }
    app.installEventFilter(&probe);  // the first paint of any part of the window
    window->show();
    const int rc = app.exec();
    if (auto *main = dynamic_cast<TfrmMain *>(window.get()))
        main->stopWorkers();
    return rc;
}

#include "link/TLoad.h"

#include "app/SharedState.h"
#include "link/DeviceLink.h"
#include "link/PublishError.h"
#include "ui/BusyIndicator.h"
#include "ui/CoverLayer.h"

#include <QtDebug>

TLoad::TLoad(QWidget *mainWindow, int ms, const QString &command, bool fast, FeedbackHooks hooks)
    : QObject(mainWindow), MQTT_Command(command), Fast(fast), m_hooks(std::move(hooks)), m_tag(fast ? 1 : 0)
{
    auto *layer = new CoverLayer(mainWindow);
    layer->setObjectName(QStringLiteral("Rect"));
    BusyIndicator *spinner = layer->indicator();
    spinner->setObjectName(QStringLiteral("LoadAnimation"));
    spinner->setRunning(true);
    Rect = layer;
    LoadAnimation = spinner;
    layer->show();
    layer->raise();

    Tim = new QTimer(this);
    Tim->setObjectName(QStringLiteral("Tim"));
    Tim->setTimerType(Qt::PreciseTimer);
    Tim->setInterval(std::max(0, ms / 2));
    connect(Tim, &QTimer::timeout, this, &TLoad::TimTimer);
    Tim->start();
}

namespace {

FeedbackHooks linkHooks(SharedState &state, DeviceLink &link,
                        std::function<void(const QString &)> reportError)
{
    FeedbackHooks hooks;
    hooks.publish = [&link](const QString &payload) { link.Publish(payload); };
    hooks.clearPending = [&state] { state.CommandPending = false; };
    hooks.reportError = std::move(reportError);
    return hooks;
}

} // namespace

TLoad::TLoad(QWidget *mainWindow, int ms, const QString &command, bool fast, SharedState &state,
             DeviceLink &link, std::function<void(const QString &)> reportError)
    : TLoad(mainWindow, ms, command, fast, linkHooks(state, link, std::move(reportError)))
{
}

void TLoad::TimTimer()
{
    if (m_ended)
        return;
    if (m_tag <= 0) {
        ++m_tag;
        return;
    }
    m_ended = true;
    Tim->stop();

    QString failure;
    if (!Fast && !MQTT_Command.isEmpty() && m_hooks.publish) {
        try {
            m_hooks.publish(MQTT_Command);
        } catch (const PublishError &e) {
            failure = e.text();
        } catch (const std::exception &e) {
            failure = QString::fromUtf8(e.what());
        } catch (...) {
            failure = QStringLiteral("Командата не е испратена.");
        }
    }

    delete Rect.data(); // takes the indicator with it
    if (m_hooks.clearPending)
        m_hooks.clearPending();
    if (!failure.isEmpty()) {
        if (m_hooks.reportError)
            m_hooks.reportError(failure);
        else
            qWarning("%s", qUtf8Printable(failure));
    }
    deleteLater();
}

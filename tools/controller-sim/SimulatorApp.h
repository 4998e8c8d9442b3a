#pragma once

#include "tools/controller-sim/BrokerConnection.h"
#include "tools/controller-sim/ControllerModel.h"
#include "tools/controller-sim/FaultInjector.h"
#include "tools/controller-sim/SimulatorOptions.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <map>
#include <memory>

// Runs the emulated controllers on the broker: routes each command on "<serial>/Out" to its controller,
// logs it on standard output, publishes the answers (through the fault options) and steps the heat
// models once a second.
class SimulatorApp : public QObject {
    Q_OBJECT
public:
    explicit SimulatorApp(SimulatorOptions options, QObject *parent = nullptr);
    ~SimulatorApp() override;

    bool start(QString *error);

private:
    void onMessage(const QByteArray &topic, const QByteArray &payload);
    void publishAnswer(const QByteArray &serial, const WireAnswer &answer);
    void stepControllers();

    SimulatorOptions m_options;
    quint32 m_seed;
    std::map<QByteArray, std::unique_ptr<ControllerModel>> m_controllers;
    FaultInjector m_faults;
    BrokerConnection m_client;
    QTimer m_stepTimer;
    QElapsedTimer m_sinceLastStep;
};

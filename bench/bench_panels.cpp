// Building the panels of the largest layout, and one refresh tick with every
// register family updated. Run on the offscreen platform.
#include "accounts/SqlConnection.h"
#include "accounts/TDatabaseCredentials.h"
#include "app/SharedState.h"
#include "panels/PanelActions.h"
#include "panels/PanelBuilder.h"
#include "panels/PanelRefresh.h"
#include "panels/PanelView.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

class NoActions : public PanelActions {
public:
    void WriteHREG(int, int) override {}
    void startFeedback(int, bool) override {}
    void setCommandPending(bool) override {}
    void showError(const QString &) override {}
};

struct Panels {
    QWidget window;
    SharedState state;
    NoActions actions;
    std::unique_ptr<PanelBuilder> builder;
    std::unique_ptr<PanelRefresh> refresh;

    explicit Panels(SqlConnection *database)
    {
        builder = std::make_unique<PanelBuilder>(buildPanelView(&window), state, database, &actions);
        refresh = std::make_unique<PanelRefresh>(state, *builder, [] { return true; });
        window.resize(1000, 700);
        window.show();
    }
};

constexpr int largestLayout = 20; // 24 fields

void LoadSchematicLargest(benchmark::State &st)
{
    Panels p(nullptr);
    p.state.SchematicNumber = largestLayout;
    for (auto _ : st) {
        p.builder->LoadSchematic(largestLayout);
        // The deferred part of a rebuild (showing the new rows, laying out the
        // lists) runs when the event loop next turns: it belongs to the cost.
        QCoreApplication::sendPostedEvents();
    }
}

void LoadSchematicLargestWithNamesRow(benchmark::State &st)
{
    TestDatabase db;
    db.exec(QStringLiteral("INSERT INTO Names (DeviceID, TempSensor1, Relay2, TimerCheckBox3) "
                           "VALUES ('SN1', 'Бојлер', 'Грејач', 'Ноќен');"));
    SqlConnection connection;
    if (!db.isValid() || !connection.ConnectSQL(TDatabaseCredentials::fromConfig(db.config()))) {
        st.SkipWithError("no database");
        return;
    }
    Panels p(&connection);
    p.state.ActiveUser.ActiveTopic = QStringLiteral("SN1");
    p.state.SchematicNumber = largestLayout;
    for (auto _ : st) {
        p.builder->LoadSchematic(largestLayout);
        // The deferred part of a rebuild (showing the new rows, laying out the
        // lists) runs when the event loop next turns: it belongs to the cost.
        QCoreApplication::sendPostedEvents();
    }
}

// One tick with new values for every register; with `repaint`, also the
// deferred work it causes (the window repainting the changed fields).
void refreshTicks(benchmark::State &st, bool repaint)
{
    Panels p(nullptr);
    p.state.SchematicNumber = largestLayout;
    p.refresh->TimerSchematicTimer();
    QCoreApplication::sendPostedEvents();
    int round = 0;
    for (auto _ : st) {
        // New values every tick, so every field really changes.
        ++round;
        for (int r = 1; r <= 100; ++r)
            p.state.HoldingRegs.set(r, (r + round) % 2 ? 1 : 40 + round % 50);
        for (int r = 1; r <= 30; ++r)
            p.state.AnalogRegs.set(r, (r + round) % 2 ? 1 : 20 + round % 60);
        p.state.HoldingRegsUpdated = true;
        p.state.AnalogRegsUpdated = true;
        p.refresh->TimerSchematicTimer();
        if (repaint)
            QCoreApplication::sendPostedEvents();
    }
}

void RefreshTickAllFlags(benchmark::State &st)
{
    refreshTicks(st, false);
}

void RefreshTickAllFlagsAndRepaint(benchmark::State &st)
{
    refreshTicks(st, true);
}

} // namespace

BENCHMARK(LoadSchematicLargest)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(LoadSchematicLargestWithNamesRow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(RefreshTickAllFlags)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(RefreshTickAllFlagsAndRepaint)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

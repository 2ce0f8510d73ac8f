// The list on the phone: sending 200 rows to a task list of a real Radicale on loopback and
// reading them back, as "Envoyer au téléphone" then "Relever le téléphone" do; and a second send
// with nothing changed.

#include "bench_support.h"
#include "dav_call.h"
#include "phone/list_tasks.h"
#include "phone/phone_sync.h"
#include "radicale_server.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kRows = 200;

RadicaleServer& server() {
    static std::unique_ptr<RadicaleServer> s = [] {
        auto r = std::make_unique<RadicaleServer>();
        if (!r->start())
            qFatal("radicale: %s", qPrintable(r->error()));
        return r;
    }();
    return *s;
}

QUrl newList() {
    static int n = 0;
    const QUrl url = server().url(QStringLiteral("bench%1/").arg(++n));
    CaldavClient client(CaldavAccount{url, {}, {}});
    QEventLoop loop;
    createTaskList(client, url, QStringLiteral("Courses"), [&](const QString&) { loop.quit(); });
    loop.exec();
    return url;
}

// 200 rows of the generated list, with prices and notes from its catalogue.
QList<ShoppingTask> rows() {
    ShoppingData data;
    bench::generateList(data, 2000, kRows);
    return tasksFromList(data);
}

void BM_SendAndReadBack200Rows(benchmark::State& state) {
    const QList<ShoppingTask> list = rows();
    for (auto _ : state) {
        state.PauseTiming();
        CaldavClient client(CaldavAccount{newList(), {}, {}});
        SyncState sync;
        PhoneSync phone(client, sync);
        state.ResumeTiming();
        const PhoneSync::Outcome sent = runSync(phone, [&] { phone.send(list); });
        const PhoneSync::Outcome read = runSync(phone, [&] { phone.fetch(); });
        if (!sent.ok || sent.created != kRows || read.tasksRead != kRows)
            state.SkipWithError(qPrintable(sent.error + read.error));
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SendAndReadBack200Rows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// "Relever le téléphone" alone: the list checked, its 200 tasks read and told ticked or not.
void BM_ReadBack200Rows(benchmark::State& state) {
    const QList<ShoppingTask> list = rows();
    CaldavClient client(CaldavAccount{newList(), {}, {}});
    SyncState sync;
    PhoneSync phone(client, sync);
    runSync(phone, [&] { phone.send(list); });
    for (auto _ : state) {
        const PhoneSync::Outcome read = runSync(phone, [&] { phone.fetch(); });
        if (!read.ok || read.tasksRead != kRows)
            state.SkipWithError(qPrintable(read.error));
    }
}
BENCHMARK(BM_ReadBack200Rows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_SecondSendOf200RowsWithoutChange(benchmark::State& state) {
    const QList<ShoppingTask> list = rows();
    CaldavClient client(CaldavAccount{newList(), {}, {}});
    SyncState sync;
    PhoneSync phone(client, sync);
    runSync(phone, [&] { phone.send(list); });
    for (auto _ : state) {
        const PhoneSync::Outcome again = runSync(phone, [&] { phone.send(list); });
        if (!again.ok || again.unchanged != kRows)
            state.SkipWithError("a send without change wrote something");
    }
}
BENCHMARK(BM_SecondSendOf200RowsWithoutChange)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

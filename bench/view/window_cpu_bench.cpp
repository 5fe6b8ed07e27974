#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "app/Unit1.h"
#include "app/fonts.h"
#include "rules/end_banner.h"
#include "rules/supervisor.h"
#include "sim/variables.h"
#include "view/pictures/pictures.h"

// What the main window costs the machine while nobody touches it: its share
// of one core and how often the process is woken, measured over seconds of
// the real event loop. Under Xvfb (QT_QPA_PLATFORM=xcb) the figure includes
// the copies to the display; on the offscreen platform only the game's own.

namespace {

constexpr int SECONDS_PER_ITERATION = 2;

struct Usage {
    double cpu_seconds = 0;
    long wakeups = 0;
};

double seconds(const timeval& t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

Usage usage_now()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return {seconds(r.ru_utime) + seconds(r.ru_stime), r.ru_nvcsw};
}

void run_event_loop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void measure_window_left_alone(benchmark::State& state)
{
    double cpu = 0, real = 0;
    long wakeups = 0;
    for (auto _ : state) {
        const Usage before = usage_now();
        QElapsedTimer clock;
        clock.start();
        run_event_loop(SECONDS_PER_ITERATION * 1000);
        const Usage after = usage_now();
        real += static_cast<double>(clock.nsecsElapsed()) / 1e9;
        cpu += after.cpu_seconds - before.cpu_seconds;
        wakeups += after.wakeups - before.wakeups;
    }
    state.counters["cpu_percent"] = 100 * cpu / real;
    state.counters["wakeups_per_s"] = static_cast<double>(wakeups) / real;
}

// The opening rack, waiting for the first shot.
void window_at_rest(benchmark::State& state)
{
    run_event_loop(500);  // the supervisor's first ticks enable aiming
    measure_window_left_alone(state);
}

// A decided game frozen under the banner until "New game".
void end_screen(benchmark::State& state)
{
    game.end_text = END_OF_GAME;
    show_end_banner();
    run_event_loop(500);
    measure_window_left_alone(state);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    use_designed_fonts();
    TForm1 form(background_picture());
    form.show();

    benchmark::Initialize(&argc, argv);
    // In this order: the end screen lasts until a new game.
    for (auto* bench : {benchmark::RegisterBenchmark("window_at_rest", window_at_rest),
                        benchmark::RegisterBenchmark("end_screen", end_screen)})
        bench->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

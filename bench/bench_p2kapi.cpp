// The phone link's own cost for what the editor does with a phone: write and
// read the 304-byte scheme, and activation (read one seem byte, write it).
// The phone is the tests' emulator, which answers at once, so the time is the
// library's alone; counters give the USB transfers per operation, which on a
// real phone cost about a millisecond each plus the phone's own work.
// Target: well under a millisecond of library time per operation.

#include "phone/usb/p2kphone.h"
#include "tests/phone/usb/emulator/phoneemulator.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using p2kemu::PhoneEmulator;

p2kusb::P2kPhone &Connected(p2kusb::P2kTransport transport)
{
    // Seem backups go to a folder of the run, never the user's.
    static const bool data = [] {
        char folder[] = "/tmp/bench_p2kapi-XXXXXX";
        return mkdtemp(folder) && setenv("XDG_DATA_HOME", folder, 1) == 0;
    }();
    (void)data;
    static p2kusb::P2kPhone phone(PhoneEmulator::instance());
    PhoneEmulator::instance().reset();
    PhoneEmulator::instance().plug(p2kemu::Mode::Command, transport);
    phone.init();
    return phone;
}

void Count(benchmark::State &state, int transfersBefore)
{
    state.counters["transfers_per_op"] = benchmark::Counter(
        PhoneEmulator::instance().transfers() - transfersBefore, benchmark::Counter::kAvgIterations);
}

void WriteScheme(benchmark::State &state)
{
    auto &phone = Connected(static_cast<p2kusb::P2kTransport>(state.range(0)));
    const std::vector<std::uint8_t> scheme(304, 0x5A);
    std::uint16_t volume[256] = {};
    const int before = PhoneEmulator::instance().transfers();
    for (auto _ : state) {
        benchmark::DoNotOptimize(phone.volInfo(volume));
        phone.fileCreate("/a/mobile/system/spcolor.sch", 0);
        phone.fileWrite(scheme.data(), 304);
        phone.fileClose();
    }
    Count(state, before);
}

void ReadScheme(benchmark::State &state)
{
    auto &phone = Connected(static_cast<p2kusb::P2kTransport>(state.range(0)));
    PhoneEmulator::instance().putFile("/a/mobile/system/spcolor.sch",
                                      std::vector<std::uint8_t>(304, 0x5A));
    std::vector<std::uint8_t> buffer(304);
    const int before = PhoneEmulator::instance().transfers();
    for (auto _ : state) {
        phone.fileCreate("/a/mobile/system/spcolor.sch", 0);
        benchmark::DoNotOptimize(phone.fileRead(buffer.data(), 304));
        phone.fileClose();
    }
    Count(state, before);
}

void Activate(benchmark::State &state)
{
    auto &phone = Connected(static_cast<p2kusb::P2kTransport>(state.range(0)));
    const int before = PhoneEmulator::instance().transfers();
    for (auto _ : state) {
        std::uint8_t byte = 0;
        phone.seemRead(0x32, 1, 83, 1, &byte);
        byte ^= 0x40;  // a change every time, so the write always goes out
        benchmark::DoNotOptimize(phone.seemWrite(0x32, 1, 83, 1, &byte));
    }
    Count(state, before);
}

void Status(benchmark::State &state)
{
    auto &phone = Connected(static_cast<p2kusb::P2kTransport>(state.range(0)));
    const int before = PhoneEmulator::instance().transfers();
    for (auto _ : state)
        benchmark::DoNotOptimize(phone.status());
    Count(state, before);
}

// 0: control transfers, 1: bulk (P2K05).
BENCHMARK(WriteScheme)->Arg(0)->Arg(1);
BENCHMARK(ReadScheme)->Arg(0)->Arg(1);
BENCHMARK(Activate)->Arg(0)->Arg(1);
BENCHMARK(Status)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();

// Runs the benchmarks, then sums them up in one table of throughputs and ratios, every
// figure taken from this run so that the ratios compare like with like.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/frame_buffers.h"

namespace {

// Keeps each benchmark's CPU time per iteration in microseconds; with repetitions, the
// median.
class TableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) {
                continue;
            }
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median) {
                continue;
            }
            const std::string name = run.run_name.str();
            if (median || medians_.count(name) == 0) {
                micros_[name] = run.GetAdjustedCPUTime() * 1e6 /
                                benchmark::GetTimeUnitMultiplier(run.time_unit);
                counters_[name] = run.counters;
                if (median) {
                    medians_[name] = true;
                }
            }
        }
    }

    // A user counter of the benchmark's run (its median's), 0 where it has none.
    double counter(const std::string& name, const std::string& key) const {
        const auto found = counters_.find(name);
        if (found == counters_.end()) {
            return 0.0;
        }
        const auto value = found->second.find(key);
        return value == found->second.end() ? 0.0 : double(value->second);
    }

    // Microseconds, or a negative value when the benchmark did not run.
    double micros(const std::string& name) const {
        const auto found = micros_.find(name);
        return found == micros_.end() ? -1.0 : found->second;
    }

private:
    std::map<std::string, double> micros_;
    std::map<std::string, bool> medians_;
    std::map<std::string, benchmark::UserCounters> counters_;
};

double megapixels(double micros) { return micros > 0 ? kFramePixels / micros : 0.0; }

void printRatio(double ratio, bool hasTarget, bool met) {
    if (ratio <= 0) {
        std::printf("  %9s", "-");
        return;
    }
    std::printf("  %7.2fx%s", ratio, !hasTarget ? " " : met ? "+" : "!");
}

void printTable(const TableReporter& r) {
    const double memcpyMicros = r.micros("memcpy");
    std::printf("\nOne 640x480 frame, row by row, destination pitch 640 x bytes a pixel.\n");
    std::printf("Mpixel/s; ratios are times against memcpy, throughputs against the others.\n");
    std::printf("+ meets its target, ! misses it (targets: convertRow32 within 1.3x of memcpy;\n");
    std::printf("each MMX converter above 1x its plain loop and at least 0.5x libyuv).\n\n");
    std::printf("%-18s %8s %8s %8s %8s  %8s  %8s  %8s\n", "converter", "ours", "plain", "libyuv",
                "memcpy", "time/mem", "vs plain", "vs libyuv");
    const char* const converters[] = {"convertRow32",     "convertRow32Swap", "convertRow24",
                                      "convertRow24Swap", "convertRow565",    "convertRow565Swap",
                                      "convertRow555",    "convertRow555Swap"};
    for (const char* c : converters) {
        const std::string name = c;
        const double ours = r.micros("ours/" + name);
        const double plain = r.micros("plain/" + name);
        const double yuv = r.micros("libyuv/" + name);
        if (ours < 0) {
            continue;
        }
        const bool mmx = name != "convertRow32Swap" && name != "convertRow24Swap";
        std::printf("%-18s %8.0f %8.0f %8.0f %8.0f", c, megapixels(ours), megapixels(plain),
                    megapixels(yuv), megapixels(memcpyMicros));
        const double overMemcpy = memcpyMicros > 0 ? ours / memcpyMicros : -1;
        printRatio(overMemcpy, name == "convertRow32", overMemcpy <= 1.3);
        const double overPlain = plain > 0 ? plain / ours : -1;
        printRatio(overPlain, mmx, overPlain > 1.0);
        const double overYuv = yuv > 0 ? yuv / ours : -1;
        printRatio(overYuv, mmx, overYuv >= 0.5);
        std::printf("\n");
    }

    constexpr double kPeriodMicros = 25000.0;
    std::printf(
        "\nThe effect's frame, against the 25 ms frame period (target for the whole frame: "
        "under 1%%).\n\n");
    const struct {
        const char* label;
        const char* name;
        bool target;
    } frames[] = {
        {"stepFountain, 25 particles", "stepFountain/25", false},
        {"stepFountain, 500 particles", "stepFountain/500", false},
        {"step + 480 rows at 5-6-5", "frame/step+convertRow565", true},
    };
    for (const auto& f : frames) {
        const double micros = r.micros(f.name);
        if (micros < 0) {
            continue;
        }
        const double share = micros / kPeriodMicros * 100.0;
        std::printf("%-30s %8.1f us  %6.2f%%%s\n", f.label, micros, share,
                    !f.target     ? ""
                    : share < 1.0 ? " +"
                                  : " !");
    }

    std::printf(
        "\nThe frame scaled by a whole factor k, beside one memcpy of as many bytes (target: "
        "within 2x),\nagainst the 25 ms frame period (target for k=4: under 20%%).\n\n");
    std::printf("%-28s %10s %10s  %8s  %8s\n", "scaled frame", "us", "memcpy us", "time/mem",
                "of 25 ms");
    const struct {
        const char* label;
        const char* name;
        uint32_t factor;
    } scaled[] = {
        {"convertRow32, k=2 1280x960", "convertRow32/2", 2},
        {"convertRow32, k=4 2560x1920", "convertRow32/4", 4},
        {"convertRow565, k=2 1280x960", "convertRow565/2", 2},
        {"convertRow565, k=4 2560x1920", "convertRow565/4", 4},
    };
    for (const auto& s : scaled) {
        const double micros = r.micros(std::string("scaled/") + s.name);
        const double copy = r.micros(std::string("scaledMemcpy/") + s.name);
        if (micros < 0) {
            continue;
        }
        std::printf("%-28s %10.1f %10.1f", s.label, micros, copy);
        const double overMemcpy = copy > 0 ? micros / copy : -1;
        printRatio(overMemcpy, true, overMemcpy <= 2.0);
        const double share = micros / kPeriodMicros * 100.0;
        std::printf("  %6.2f%%%s\n", share, s.factor != 4 ? "" : share < 20.0 ? " +" : " !");
    }

    std::printf(
        "\nThe windowed display's frame: only what changed since the frame before, found, "
        "scaled and\nleft for GDI to copy, beside the whole frame scaled, over the fountain's "
        "own frames.\n\n");
    std::printf("%-28s %10s %10s  %8s  %10s\n", "fountain frames", "us", "whole us", "speed-up",
                "copied");
    for (const char* factor : {"2", "4"}) {
        for (const char* kind : {"quiet", "burst"}) {
            const std::string name = std::string("changes/") + kind + "/" + factor;
            const double micros = r.micros(name);
            const double whole = r.micros(std::string("scaled/convertRow32/") + factor);
            if (micros < 0) {
                continue;
            }
            std::printf("%-28s %10.1f %10.1f", (std::string(kind) + ", k=" + factor).c_str(),
                        micros, whole);
            printRatio(whole > 0 ? whole / micros : -1, false, false);
            std::printf("  %9.1f%%\n", r.counter(name, "copied") * 100.0);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    registerConverterBenchmarks();
    registerFountainBenchmarks();
    registerScaledFrameBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printTable(reporter);
    return 0;
}

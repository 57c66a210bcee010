// Runs the save fuzzing of the test suite at any size:
//   gobbler_save_fuzz COUNT [SEED [PLAY_EVERY]]
// Each of COUNT damaged or hand-edited saves, beside a damaged or odd window settings file, is
// loaded, written back and read again; every PLAY_EVERY-th (default 100) is also played in the
// game's window on the title menu, level selection, shop and a level, with random presses, taps
// and keys, and the window closed as the player closes it. Runs in parts of 100000 saves, part n
// from seed SEED + n (default 1). Needs a display (Xvfb) and the resources; build with
// GOBBLER_SANITIZE=ON to catch faults.
#include "support/save_fuzz.h"

#include "support/sandbox.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s COUNT [SEED [PLAY_EVERY]]\n", argv[0]);
        return 2;
    }
    const long count = std::atol(argv[1]);
    const auto seed = static_cast<std::uint32_t>(argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1);
    const long playEvery = argc > 3 ? std::atol(argv[3]) : 100;
    const std::string root = enterSandbox(true);
    const auto start = std::chrono::steady_clock::now();
    // Run in parts of at most 100000 saves, each from the next seed, with a line after each.
    const long part = 100000;
    SaveFuzzReport total;
    for (long done = 0, index = 0; done < count; done += part, ++index) {
        const SaveFuzzReport report = fuzzSaves(seed + static_cast<std::uint32_t>(index),
                                                std::min(part, count - done), playEvery);
        total.inputs += report.inputs;
        total.played += report.played;
        if (report.unstable > 0 && total.unstable == 0)
            total.firstUnstable = report.firstUnstable;
        total.unstable += report.unstable;
        if (report.settingsUnstable > 0 && total.settingsUnstable == 0)
            total.firstSettingsUnstable = done + report.firstSettingsUnstable;
        total.settingsUnstable += report.settingsUnstable;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%ld saves and settings (seeds %u..%u), %ld played on the screens, %ld "
                    "unstable saves, %ld unstable settings, %.0f s\n",
                    total.inputs, seed, seed + static_cast<std::uint32_t>(index), total.played,
                    total.unstable, total.settingsUnstable, seconds);
        std::fflush(stdout);
    }
    if (total.unstable > 0)
        std::printf("first unstable save: \"%s\"\n", total.firstUnstable.c_str());
    if (total.settingsUnstable > 0)
        std::printf("first unstable settings: input %ld\n", total.firstSettingsUnstable);
    std::error_code ignored;
    std::filesystem::current_path("/", ignored);
    std::filesystem::remove_all(root, ignored);
    return total.unstable == 0 && total.settingsUnstable == 0 ? 0 : 1;
}

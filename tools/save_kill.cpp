// Kills copies of the game while they save, and checks the save file after every kill:
//   gobbler_save_kill TRIALS [WRITERS [SEED]]
// Each trial starts WRITERS (default 1) processes that save two different progress states in
// turn without end, kills them all with SIGKILL at a random moment (0 to 30 ms), and then
// loads the file the way start-up does: it must be exactly one of the two states. Start-up
// must also clean every temporary file the killed writers left.
#include "frame/frame.h"
#include "ground/game.h"
#include "persist/persist.h"
#include "persist/records.h"
#include "platform/platform.h"
#include "support/sandbox.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

void setProgress(bool second) {
    game.progress.stars = second ? 123456789 : 1;
    for (int level = 1; level <= 3; ++level) {
        game.progress.bestRating[level] =
            second ? 10.0f - 0.75f * level : static_cast<float>(level);
        game.progress.levelCleared[level] = second ? 0 : 1;
        game.progress.lockOpened[level] = second ? 0 : 1;
        game.progress.starsCredited[level] = second ? 0 : level;
        game.progress.starsEarned[level] = second ? 0 : 3 + level;
    }
    game.progress.supplierTutorialDone = second ? 0 : 1;
    game.progress.tutorialEnabled = second ? 1 : 0;
    for (int tower = 0; tower < TowerTypeCount; ++tower)
        for (int level = 1; level <= 3; ++level)
            game.progress.upgradeUnlocked[tower][level] = second ? level == 1 : 1;
}

int countTemporaries() {
    int count = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(savePath()).parent_path(), error))
        count += entry.path().filename() != fs::path(savePath()).filename();
    return count;
}

[[noreturn]] void writeForever() {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    for (bool second = false;; second = !second) {
        setProgress(second);
        writeSave();
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s TRIALS [WRITERS [SEED]]\n", argv[0]);
        return 2;
    }
    const long trials = std::atol(argv[1]);
    const int writers = argc > 2 ? std::atoi(argv[2]) : 1;
    std::mt19937 random(argc > 3 ? static_cast<std::uint32_t>(std::atol(argv[3])) : 1);
    const std::string root = enterSandbox(false);

    setProgress(false);
    const std::string first = formatSave();
    setProgress(true);
    const std::string second = formatSave();
    writeSave(); // the file exists before the first kill

    long firstFound = 0, secondFound = 0, bad = 0, leftovers = 0, notCleaned = 0;
    for (long trial = 0; trial < trials; ++trial) {
        std::vector<pid_t> children;
        for (int i = 0; i < writers; ++i) {
            const pid_t child = fork();
            if (child == 0)
                writeForever();
            if (child > 0)
                children.push_back(child);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
        for (pid_t child : children)
            ::kill(child, SIGKILL);
        for (pid_t child : children)
            ::waitpid(child, nullptr, 0);

        const std::string onDisk = readFile(savePath());
        leftovers += countTemporaries();
        resetGame();
        readSave(); // as start-up: cleans the leftovers, then loads
        const std::string loaded = formatSave();
        notCleaned += countTemporaries();
        if (onDisk == first && loaded == first)
            firstFound += 1;
        else if (onDisk == second && loaded == second)
            secondFound += 1;
        else if (bad++ == 0)
            std::printf("trial %ld: the file holds \"%s\"\n", trial, onDisk.c_str());
    }
    std::printf("%ld trials, %d writer(s): %ld first state, %ld second state, %ld corrupt, "
                "empty or missing; %ld temporary files left by the kills, %ld not cleaned "
                "at start\n",
                trials, writers, firstFound, secondFound, bad, leftovers, notCleaned);
    std::error_code ignored;
    fs::current_path("/", ignored);
    fs::remove_all(root, ignored);
    return bad == 0 && notCleaned == 0 ? 0 : 1;
}

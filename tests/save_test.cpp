// The save file: its exact text, reading damaged files, safe writing, star crediting.
#include "ground/game.h"
#include "persist/persist.h"
#include "persist/records.h"
#include "support/frame_driver.h"
#include "support/sandbox.h"
#include "support/save_fuzz.h"
#include "towers/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const freshSave =
    "0 0.000000 0.000000 0.000000 0 0 0 0 0 0 1 0 0 0 0 0 1 0 0 1 0 0 1 0 0 ";

// What lies in the save folder, sorted.
std::vector<std::string> saveFolder() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator("../resources/save"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Save : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories("../resources/save");
        std::remove(sandboxSavePath().c_str());
        progressDefaults();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all("../resources/save", ignored);
        fs::create_directories("../resources/save", ignored);
    }
};

} // namespace

TEST_F(Save, ResetWritesTheFreshFileByteForByte) {
    game.progress.stars = 7;
    game.progress.bestRating[2] = 6.5f;
    game.progress.upgradeUnlocked[Soda][3] = 1;
    game.progress.tutorialEnabled = 0;
    deleteSave();
    EXPECT_EQ(readFile(sandboxSavePath()), freshSave);
    EXPECT_EQ(formatSave(), freshSave);
}

TEST_F(Save, RoundTripOfEveryField) {
    game.progress.stars = 12;
    game.progress.bestRating[1] = 7.5f;
    game.progress.bestRating[2] = 9.2f;
    game.progress.bestRating[3] = 10.0f;
    game.progress.levelCleared[1] = game.progress.levelCleared[2] = 1;
    game.progress.lockOpened[2] = 1;
    game.progress.supplierTutorialDone = 1;
    game.progress.tutorialEnabled = 0;
    game.progress.starsCredited[1] = 3;
    game.progress.starsEarned[1] = 3;
    game.progress.starsEarned[2] = 4;
    game.progress.upgradeUnlocked[Burger][2] = 1;
    writeSave();
    const std::string text = readFile(sandboxSavePath());
    EXPECT_EQ(text, "12 7.500000 9.200000 10.000000 1 1 0 1 0 1 0 3 0 0 3 4 1 0 0 1 1 0 1 0 0 ");
    progressDefaults();
    readSave();
    EXPECT_EQ(formatSave(), text);
    EXPECT_EQ(game.progress.starsEarned[3], 0) << "level 3's stars are not kept";
}

TEST_F(Save, SixteenNumbersLeaveTheUpgradeTableAtItsDefaults) {
    parseSave("5 7.500000 0.000000 0.000000 1 0 0 1 0 1 1 3 0 0 3 0 ");
    EXPECT_EQ(game.progress.stars, 5);
    EXPECT_EQ(game.progress.starsEarned[1], 3);
    for (int tower = 0; tower < TowerTypeCount; ++tower) {
        EXPECT_EQ(game.progress.upgradeUnlocked[tower][1], 1);
        EXPECT_EQ(game.progress.upgradeUnlocked[tower][2], 0);
        EXPECT_EQ(game.progress.upgradeUnlocked[tower][3], 0);
    }
}

TEST_F(Save, DamagedFilesKeepWhatCameBeforeTheFirstUnreadableField) {
    parseSave("3 7.5 x 1 1 1");
    EXPECT_EQ(game.progress.stars, 3);
    EXPECT_EQ(game.progress.bestRating[1], 7.5f);
    EXPECT_EQ(game.progress.bestRating[2], 0.0f);
    EXPECT_EQ(game.progress.levelCleared[1], 0) << "nothing after the damage is read";

    progressDefaults();
    parseSave("4 2.5x 1"); // a stray byte right after a number ends it
    EXPECT_EQ(game.progress.stars, 4);
    EXPECT_EQ(game.progress.bestRating[1], 2.5f);
    EXPECT_EQ(game.progress.bestRating[2], 0.0f);

    progressDefaults();
    parseSave("-4 1.0 2.0 3.0 2"); // no value is range-tested
    EXPECT_EQ(game.progress.stars, -4);
    EXPECT_EQ(game.progress.levelCleared[1], 2);

    progressDefaults();
    parseSave(std::string("\x01\xff\x80 9 9", 7));
    EXPECT_EQ(game.progress.stars, 0);

    progressDefaults();
    parseSave(std::string("6 \0 1.5", 7));
    EXPECT_EQ(game.progress.stars, 6);
    EXPECT_EQ(game.progress.bestRating[1], 0.0f);
}

TEST_F(Save, NumbersThatDoNotFitKeepTheirDefaultsAndReadingGoesOn) {
    parseSave("99999999999999999999999999 nan inf 1e39 2147483648 -2147483649 1 ");
    EXPECT_EQ(game.progress.stars, 0);
    EXPECT_EQ(game.progress.bestRating[1], 0.0f);
    EXPECT_EQ(game.progress.bestRating[2], 0.0f);
    EXPECT_EQ(game.progress.bestRating[3], 0.0f);
    EXPECT_EQ(game.progress.levelCleared[1], 0);
    EXPECT_EQ(game.progress.levelCleared[2], 0);
    EXPECT_EQ(game.progress.levelCleared[3], 1) << "the field after them is still read";

    progressDefaults();
    parseSave("2147483647 -1e30 -infinity -2147483648 ");
    EXPECT_EQ(game.progress.stars, INT_MAX);
    EXPECT_EQ(game.progress.bestRating[1], -1e30f);
    EXPECT_EQ(game.progress.bestRating[2], 0.0f);
    EXPECT_EQ(game.progress.bestRating[3], -2147483648.0f);
}

namespace {

// The progress the C library's own scan makes of a save text: one scan of the sixteen leading
// numbers, then one per upgrade entry; a rating that is not finite keeps its default.
std::string scannedByTheLibrary(const std::string& text) {
    progressDefaults();
    FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    float ratings[3] = {0, 0, 0};
    std::fscanf(file, "%d %f %f %f %d %d %d %d %d %d %d %d %d %d %d %d ", &game.progress.stars,
                &ratings[0], &ratings[1], &ratings[2], &game.progress.levelCleared[1],
                &game.progress.levelCleared[2], &game.progress.levelCleared[3],
                &game.progress.lockOpened[2], &game.progress.lockOpened[3],
                &game.progress.supplierTutorialDone, &game.progress.tutorialEnabled,
                &game.progress.starsCredited[1], &game.progress.starsCredited[2],
                &game.progress.starsCredited[3], &game.progress.starsEarned[1],
                &game.progress.starsEarned[2]);
    for (int tower = 0; tower < TowerTypeCount; ++tower)
        for (int level = 1; level <= 3; ++level)
            std::fscanf(file, "%d ", &game.progress.upgradeUnlocked[tower][level]);
    std::fclose(file);
    for (int level = 1; level <= 3; ++level)
        if (std::isfinite(ratings[level - 1]))
            game.progress.bestRating[level] = ratings[level - 1];
    return formatSave();
}

} // namespace

TEST_F(Save, DamagedFieldsAreTakenAsTheLibraryScanTakesThem) {
    const std::string ones = " 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1";
    const std::vector<std::string> files = {"-" + ones,
                                            "+ 2" + ones,
                                            "--5" + ones,
                                            "+-5 1.5" + ones,
                                            "12abc" + ones,
                                            "3 7.5e" + ones,
                                            "3 7.5e+ 2.5e-1" + ones,
                                            "3 7.5E" + ones,
                                            "3 1e5e5" + ones,
                                            "3 1.5.5" + ones,
                                            "3 ." + ones,
                                            "3 -." + ones,
                                            "3 -.e" + ones,
                                            "3 .5 5." + ones,
                                            "3 in" + ones,
                                            "3 i" + ones,
                                            "3 infin" + ones,
                                            "3 infinity -INF" + ones,
                                            "3 na" + ones,
                                            "3 nan(1)" + ones,
                                            "3 nanx" + ones,
                                            "3 0x" + ones,
                                            "3 0xg" + ones,
                                            "3 0x1p 0x.8 0X1P-1" + ones,
                                            "3 0x.p1" + ones,
                                            "3 00x1" + ones,
                                            "3 3.4028235e38 3.4028236e38 1e-50" + ones,
                                            "1 2 3 4 5 6 7 8 9 1 2 3 4 5 6 7 - 8 + 9 .",
                                            "1 2 3 4 5 6 7 8 9 1 2 3 4 5 6 7 8 -x 9",
                                            "1 2 3 4 5 6 7 8 9 1 2 3 4 5 6 7 8 9 1.5 2",
                                            "1 2 3 4 5 6 7 8 9 1 2 3 4 5 6 7 8 \v9\f1\r2"};
    for (const std::string& file : files) {
        const std::string expected = scannedByTheLibrary(file);
        progressDefaults();
        parseSave(file);
        EXPECT_EQ(formatSave(), expected) << file;
    }

    // Spelled out: a dangling exponent is a number, a lone sign is passed over and the table
    // goes on with what follows it.
    progressDefaults();
    parseSave("3 7.5e 2.5 1 1 1 1 1 1 1 1 1 1 1 1 1 - 0 -1 2");
    EXPECT_EQ(game.progress.bestRating[1], 7.5f);
    EXPECT_EQ(game.progress.bestRating[2], 2.5f);
    EXPECT_EQ(game.progress.upgradeUnlocked[Fries][1], 1)
        << "the entry holding a lone sign keeps its default";
    EXPECT_EQ(game.progress.upgradeUnlocked[Fries][2], 0);
    EXPECT_EQ(game.progress.upgradeUnlocked[Fries][3], -1);
    EXPECT_EQ(game.progress.upgradeUnlocked[Burger][1], 2);
}

TEST_F(Save, EmptyAndHugeFilesStartAsANewPlayer) {
    writeFile(sandboxSavePath(), "");
    readSave();
    EXPECT_EQ(formatSave(), freshSave);

    writeFile(sandboxSavePath(), std::string(3 * 1024 * 1024, '7'));
    readSave();
    EXPECT_EQ(formatSave(), freshSave);

    writeFile(sandboxSavePath(), std::string(200000, ' ') + "5 ");
    readSave();
    EXPECT_EQ(game.progress.stars, 0) << "only the start of an oversized file is read";

    // Gigabytes (sparse, so the test writes nothing) are not taken into memory whole, a link to
    // a device is not read without end, a folder is no file: each is passed over at once and
    // the progress stays as it was. Saving then replaces the file and the link, and leaves the
    // folder whole.
    const auto startsAsANewPlayer = [](const char* what) {
        const auto start = std::chrono::steady_clock::now();
        game.progress.stars = 3;
        readSave();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << what;
        EXPECT_EQ(game.progress.stars, 3) << what;
        game.progress.stars = 0;
        writeSave();
    };
    fs::resize_file(sandboxSavePath(), 3ull << 30);
    startsAsANewPlayer("3 GB");
    EXPECT_EQ(readFile(sandboxSavePath()), freshSave);
    std::remove(sandboxSavePath().c_str());
    fs::create_symlink("/dev/zero", sandboxSavePath());
    startsAsANewPlayer("/dev/zero");
    EXPECT_EQ(readFile(sandboxSavePath()), freshSave);
    std::remove(sandboxSavePath().c_str());
    fs::create_directory(sandboxSavePath());
    startsAsANewPlayer("a folder");
    EXPECT_TRUE(fs::is_directory(sandboxSavePath()));
    EXPECT_EQ(saveFolder(), std::vector<std::string>{"Save1.txt"}) << "nothing is left beside it";
}

TEST_F(Save, StartUpReadsTheFileLast) {
    writeFile(sandboxSavePath(),
              "9 8.000000 0.000000 0.000000 1 0 0 1 0 1 0 4 0 0 4 0 1 1 0 1 0 0 1 0 0 ");
    FrameDriver driver;
    EXPECT_EQ(game.progress.stars, 9);
    EXPECT_EQ(game.progress.bestRating[1], 8.0f);
    EXPECT_EQ(game.progress.tutorialEnabled, 0);
    EXPECT_EQ(game.progress.upgradeUnlocked[Fries][2], 1);
    EXPECT_EQ(game.defence.maxTowerLevel[Fries], 1) << "not recomputed from the file";
}

TEST_F(Save, MissingFolderIsMadeAgain) {
    fs::remove_all("../resources/save");
    game.progress.stars = 2;
    writeSave();
    EXPECT_EQ(readFile(sandboxSavePath()).substr(0, 2), "2 ");
}

TEST_F(Save, AFailedWriteLeavesThePreviousSaveWhole) {
    game.progress.stars = 1;
    writeSave();
    const std::string before = readFile(sandboxSavePath());
    // The disk takes no more than a few bytes.
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit full = limit;
    limit.rlim_cur = 8;
    void (*const previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    game.progress.stars = 2;
    writeSave();
    setrlimit(RLIMIT_FSIZE, &full);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(readFile(sandboxSavePath()), before);
    EXPECT_EQ(saveFolder(), std::vector<std::string>{"Save1.txt"}) << "nothing is left beside it";
    EXPECT_EQ(game.progress.saveFailing, 1) << "the player is told";
    writeSave();
    EXPECT_EQ(readFile(sandboxSavePath()).substr(0, 2), "2 ");
}

// A save that is there but cannot be read (no read permission, as one left by a run under sudo;
// a file whose reading fails) starts a new player who cannot save: neither a purchase nor
// "Suppr. partie" touches it. A readable one saves again.
TEST_F(Save, ASaveThatCannotBeReadIsKeptAsItIs) {
    const auto playOn = [] {
        readSave();
        const bool keptUnread = game.progress.stars == 0 && game.progress.saveKeptUnread == 1 &&
                                game.progress.saveFailing == 1;
        game.progress.stars = 5;
        writeSave();
        deleteSave();
        return keptUnread ? 0 : 1;
    };
    const std::string kept = "111 7.500000 0 0 1 ";
    writeFile(sandboxSavePath(), kept);
    fs::permissions(sandboxSavePath(), fs::perms::none);
    fs::permissions("../resources/save", fs::perms::all); // the player may write beside it
    fs::permissions("..", fs::perms::others_exec, fs::perm_options::add);
    EXPECT_EQ(asPlayer(playOn), 0);
    fs::permissions(sandboxSavePath(), fs::perms::owner_read);
    EXPECT_EQ(readFile(sandboxSavePath()), kept);
    std::remove(sandboxSavePath().c_str());
    fs::create_symlink("/proc/self/mem", sandboxSavePath());
    EXPECT_EQ(playOn(), 0);
    EXPECT_EQ(fs::read_symlink(sandboxSavePath()), "/proc/self/mem");
    EXPECT_EQ(saveFolder(), std::vector<std::string>{"Save1.txt"});
    std::remove(sandboxSavePath().c_str());
    readSave();
    writeSave();
    EXPECT_EQ(game.progress.saveFailing, 0);
    EXPECT_EQ(readFile(sandboxSavePath()), freshSave);
}

TEST_F(Save, StartUpCleansWhatAKilledCopyLeftAndReadsOnlyARegularFile) {
    const std::string folder = "../resources/save/";
    writeFile(folder + "Save1.txt.4242.0.tmp", "7 ");
    writeFile(folder + "Save1.txt.tmp", "7 ");
    writeFile(folder + "Save1.txt.bak", "7 ");
    // A copy saving right now holds its file locked: it stays.
    writeFile(folder + "Save1.txt.4243.0.tmp", "8 ");
    const int saving = open((folder + "Save1.txt.4243.0.tmp").c_str(), O_RDONLY);
    ASSERT_EQ(flock(saving, LOCK_EX), 0);
    fs::create_symlink(fs::absolute(folder + "Save1.txt.bak"), folder + "Save1.txt.4244.0.tmp");
    // A pipe in the save's place must not block start-up.
    ASSERT_EQ(mkfifo(sandboxSavePath().c_str(), 0644), 0);
    readSave();
    close(saving);
    EXPECT_EQ(game.progress.stars, 0);
    EXPECT_EQ(saveFolder(), (std::vector<std::string>{"Save1.txt", "Save1.txt.4243.0.tmp",
                                                      "Save1.txt.4244.0.tmp", "Save1.txt.bak"}));
    EXPECT_EQ(readFile(folder + "Save1.txt.bak"), "7 ");

    // Saving replaces the pipe, and a link in the save's place, never writing through them.
    writeSave();
    EXPECT_EQ(readFile(sandboxSavePath()), freshSave);
    std::remove(sandboxSavePath().c_str());
    fs::create_symlink(fs::absolute(folder + "Save1.txt.bak"), sandboxSavePath());
    readSave();
    EXPECT_EQ(game.progress.stars, 7) << "a link to a save is still read";
    writeSave();
    EXPECT_FALSE(fs::is_symlink(sandboxSavePath()));
    EXPECT_EQ(readFile(folder + "Save1.txt.bak"), "7 ");
    for (const char* name : {"Save1.txt.4243.0.tmp", "Save1.txt.4244.0.tmp", "Save1.txt.bak"})
        std::remove((folder + name).c_str());
}

TEST_F(Save, TwoCopiesSavingAtOnceAndKilledLeaveOneWholeSave) {
    game.progress.stars = 1;
    const std::string one = formatSave();
    writeSave();
    game.progress.stars = 22222;
    game.progress.bestRating[2] = 9.5f;
    const std::string two = formatSave();
    pid_t copies[2];
    for (pid_t& copy : copies) {
        copy = fork();
        if (copy == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            for (int i = 0;; ++i) {
                game.progress.stars = i % 2 ? 1 : 22222;
                game.progress.bestRating[2] = i % 2 ? 0.0f : 9.5f;
                writeSave();
            }
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    for (pid_t copy : copies) {
        ASSERT_GT(copy, 0);
        kill(copy, SIGKILL);
        waitpid(copy, nullptr, 0);
    }
    const std::string onDisk = readFile(sandboxSavePath());
    EXPECT_TRUE(onDisk == one || onDisk == two) << onDisk;
    readSave();
    EXPECT_EQ(saveFolder(), std::vector<std::string>{"Save1.txt"});
}

TEST_F(Save, CreditingAddsOnlyTheDifferenceAndNeverOverflows) {
    game.progress.starsEarned[1] = 3;
    game.progress.starsEarned[2] = 2;
    creditStars();
    EXPECT_EQ(game.progress.stars, 5);
    game.progress.starsEarned[1] = 4;
    creditStars();
    EXPECT_EQ(game.progress.stars, 6);
    creditStars();
    EXPECT_EQ(game.progress.stars, 6);

    // Figures from a damaged file.
    parseSave("2147483647 0 0 0 0 0 0 0 0 0 1 -2147483648 0 0 2147483647 0 ");
    creditStars();
    EXPECT_EQ(game.progress.stars, INT_MAX);
    EXPECT_EQ(game.progress.starsCredited[1], INT_MAX);
    EXPECT_EQ(addStars(INT_MIN, -6), INT_MIN);
    EXPECT_EQ(addStars(INT_MIN, 4294967295LL), INT_MAX);
    EXPECT_EQ(addStars(-3, 9), 6);
}

TEST(SaveFuzz, AnyFileLoadsWritesBackUnchangedAndPlays) {
    const SaveFuzzReport report = fuzzSaves(20240613, 3000, 300);
    EXPECT_EQ(report.unstable, 0) << report.firstUnstable;
    EXPECT_EQ(report.settingsUnstable, 0) << "first at input " << report.firstSettingsUnstable;
    EXPECT_EQ(report.played, 10);
}

// What a player feels, measured on the real game in a process of its own with the real window
// and renderer: the time from exec to the first picture and to a title menu that answers, the
// first and later set-ups of each map, a crowded frame of the third map, and the memory the
// game holds at its peak.
//
//   gobbler_player                 every scene a fixed number of times, then a table
//   gobbler_player --against OTHER the same, alternating with another build's gobbler_player
//                                  (the figures of both side by side, with their ratio)
//   ... --only PREFIX              only the scenes whose name starts so ("screens", "heavy")
//   gobbler_player SCENE [ARG]     one scene (first, start, setup MAP, heavy, play, screens
//                                  WxH or full), figures on stdout
//
// Each scene runs in a fresh process (exec'd by the table), so "cold" really is cold. The game
// itself runs exactly as runGame runs it; only the mouse is scripted (one press on the title
// picture), and the heavy scene calls the frame's phases one by one to time them.
#include "assets/assets.h"
#include "customers/customers.h"
#include "customers/records.h"
#include "frame/frame.h"
#include "ground/game.h"
#include "ground/records.h"
#include "level/level.h"
#include "level/records.h"
#include "persist/persist.h"
#include "persist/records.h"
#include "platform/platform.h"
#include "rating/rating.h"
#include "rating/records.h"
#include "shell/records.h"
#include "support/sandbox.h"
#include "towers/records.h"
#include "towers/towers.h"
#include "ui/records.h"
#include "ui/ui.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

// ------------------------------------------------------------------ clocks

double monotonicSeconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// CPU of the whole process (every thread: the loader, the renderer's, the music's).
double processCpu() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// CPU of the calling (main) thread alone.
double threadCpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double rssMb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

// ------------------------------------------------------------------ one scene (child side)

// The figures a scene reports, one "name value" line each.
void report(const char* name, double value) {
    std::printf("%s %.6f\n", name, value);
    std::fflush(stdout);
}

// The real platform, with the mouse scripted.
class DriverPlatform final : public Platform {
  public:
    explicit DriverPlatform(sf::Window& window) : real_(sfmlPlatform(window)) {}
    std::int64_t clockMs() override { return real_.clockMs(); }
    sf::Vector2i mousePosition() override { return mouse; }
    sf::Vector2u windowSize() override { return real_.windowSize(); }
    bool leftButtonDown() override { return left; }
    bool speedKeyDown(int) override { return false; }
    bool pollEvent(sf::Event& event) override { return real_.pollEvent(event); }
    void restUntilNextFrame() override { real_.restUntilNextFrame(); }

    sf::Vector2i mouse{100, 100}; // over nothing on any screen
    bool left = false;

  private:
    Platform& real_;
};

struct Player {
    double execAt = 0; // monotonic time of the exec, from the table
    sf::RenderWindow window;
    DriverPlatform* platform = nullptr;
    double firstFrameWall = 0;

    // The start-up exactly as runGame does it, up to the first presented frame.
    void start() {
        resolveGameFolders();
        openGameWindow(window);
        static DriverPlatform driver(window);
        platform = &driver;
        game.shared.input.clockMs = platform->clockMs();
        initGame();
        runFrame(*platform, &window);
        firstFrameWall = monotonicSeconds() - execAt;
    }

    // Plays the splash and the logo, presses as soon as the title picture is up, and stops on
    // the first frame of the title menu. Reports the worst frames of the way.
    void playToTitle(bool reportFrames) {
        std::vector<double> cpu, wall;
        while (game.shared.screen != TitleMenu && window.isOpen()) {
            platform->left = game.shared.screen == Logo && game.intro.introPhase == 2;
            const double c0 = threadCpu(), w0 = monotonicSeconds();
            runFrame(*platform, &window);
            cpu.push_back(threadCpu() - c0);
            wall.push_back(monotonicSeconds() - w0);
        }
        platform->left = false;
        if (!reportFrames)
            return;
        report("title.wall", monotonicSeconds() - execAt);
        report("title.cpu", processCpu());
        report("intro.frames", static_cast<double>(cpu.size()));
        report("intro.frame_cpu_max", *std::max_element(cpu.begin(), cpu.end()));
        report("intro.frame_cpu_p99", percentile(cpu, 0.99));
        report("intro.frames_over_16ms_cpu",
               static_cast<double>(
                   std::count_if(cpu.begin(), cpu.end(), [](double c) { return c > 1.0 / 60; })));
        report("intro.frame_wall_max", *std::max_element(wall.begin(), wall.end()));
        report("title.rss", rssMb());
        report("title.peak_rss", peakRssMb());
    }

    void frames(double seconds) {
        const double end = monotonicSeconds() + seconds;
        while (monotonicSeconds() < end && window.isOpen())
            runFrame(*platform, &window);
    }
};

void sceneStart(Player& p) {
    p.start();
    report("first_frame.wall", p.firstFrameWall);
    report("first_frame.cpu", processCpu());
    report("first_frame.main_cpu", threadCpu());
    report("first_frame.peak_rss", peakRssMb());
    p.playToTitle(true);
}

// One set-up measured: main-thread CPU, process CPU (the music thread starts inside), wall,
// and the wall time of the whole frame that shows the level first.
void measureSetUp(Player& p, const char* name, void (*setUp)()) {
    const double c0 = threadCpu(), pc0 = processCpu(), w0 = monotonicSeconds();
    setUp();
    const double c1 = threadCpu(), pc1 = processCpu(), w1 = monotonicSeconds();
    runFrame(*p.platform, &p.window);
    const double w2 = monotonicSeconds();
    const std::string prefix = name;
    report((prefix + ".main_cpu").c_str(), c1 - c0);
    report((prefix + ".cpu").c_str(), pc1 - pc0);
    report((prefix + ".wall").c_str(), w1 - w0);
    report((prefix + ".frame_wall").c_str(), w2 - w0);
}

void sceneSetUp(Player& p, int map) {
    p.start();
    p.playToTitle(false);
    p.frames(0.5);
    // Chosen from the level selection as a player chooses it: the arrows bring its card, which
    // answers once the carousel has stopped. The first set-up of this map in the process.
    game.shared.screen = LevelSelect;
    game.shared.currentLevel = map;
    p.frames(0.1);
    for (int i = 0; i < 600 && game.menus.carouselMoving != 0; ++i)
        runFrame(*p.platform, &p.window);
    measureSetUp(p, "setup_cold", [] { startLevel(); });
    p.frames(1.0);
    // Back to the level selection (the level music stops) and chosen again.
    game.shared.screen = LevelSelect;
    p.frames(0.5);
    measureSetUp(p, "setup_warm", [] { startLevel(); });
    p.frames(1.0);
    // Restarted from the in-game menu, the music still playing.
    measureSetUp(p, "setup_restart", [] { setupCurrentLevel(); });
}

// A level-3 tower on a pedestal, as if built and upgraded twice there.
void buildLevel3Tower(TowerSlot& slot, int type) {
    game.defence.selectedSlot = &slot;
    slot.occupied = 1;
    Tower& tower = buildTower(type, slot.facing, slot.x, slot.y);
    const TowerStats& top = game.defence.towerCatalogue[type][2];
    tower.level = 2;
    tower.stats = top;
    const int row = type != Soda && slot.facing <= 3 ? slot.facing : 0;
    tower.sprite.setTexture(*top.towerTexture);
    tower.sprite.setOrigin(top.originX, top.originY);
    tower.frameRect = sf::IntRect(0, row * top.frameHeight, top.frameWidth, top.frameHeight);
    tower.sprite.setTextureRect(tower.frameRect);
    tower.sprite.setPosition(tower.x, tower.y);
    showRangeDisc(tower, top.rangeTexture);
    game.defence.selectedSlot = nullptr;
}

struct FrameTimes {
    std::vector<double> update, submit, display, total, cpu;
};

// One frame by its phases, as runFrame runs them.
void timedFrame(Player& p, FrameTimes& t, bool update) {
    const double w0 = monotonicSeconds(), pc0 = processCpu();
    if (update) {
        sampleInput(*p.platform, game.shared.input);
        handleInput();
        updateGame();
        lateUpdate();
    }
    const double w1 = monotonicSeconds(), c1 = threadCpu();
    drawFrame(game, frameRenderer());
    const double c2 = threadCpu(), w2 = monotonicSeconds();
    presentFrame(frameRenderer(), p.window);
    p.window.display();
    const double w3 = monotonicSeconds();
    t.update.push_back(w1 - w0);
    t.submit.push_back(c2 - c1);
    t.display.push_back(w3 - w2);
    t.total.push_back(w3 - w0);
    t.cpu.push_back(processCpu() - pc0);
}

void reportFrames(const char* name, const FrameTimes& t) {
    const std::string prefix = name;
    report((prefix + ".frame_p50").c_str(), median(t.total));
    report((prefix + ".frame_p90").c_str(), percentile(t.total, 0.9));
    report((prefix + ".frame_cpu_p50").c_str(), median(t.cpu));
    report((prefix + ".update_p50").c_str(), median(t.update));
    report((prefix + ".submit_p50").c_str(), median(t.submit));
    report((prefix + ".display_p50").c_str(), median(t.display));
}

// At least `count` customers walk the third map: newcomers at both entrances, every type.
void keepACrowd(std::size_t count) {
    static int next = 0;
    while (game.crowd.customers.size() < count) {
        const bool front = next % 2 == 0;
        const sf::Vector2f at = front ? game.level.entrance : game.level.secondEntrance;
        spawnCustomer(next / 2 % CustomerTypeCount, front ? UpRight : DownLeft, front ? 0 : 1, at.x,
                      at.y);
        ++next;
    }
}

// The third map with a level-3 tower on each of its sixteen pedestals, in its last wave.
void setUpHeavyScene() {
    game.shared.currentLevel = 3;
    startLevel();
    game.rating.money = 100000;
    std::vector<TowerSlot*> pedestals;
    for (TowerSlot& slot : game.level.slots)
        pedestals.push_back(&slot);
    for (std::size_t i = 0; i < pedestals.size(); ++i)
        buildLevel3Tower(*pedestals[i], static_cast<int>(i % 3));
    // The seventh wave, the mopping men long gone.
    game.obstacle.obstacleActive = 0;
    game.obstacle.pathOpenPhase = -1;
    game.waves.wave = 7;
    game.waves.spawnedInWave = 0;
    game.waveClock.countdown = 0;
    game.waveClock.countdownDone = 0;
}

void sceneHeavy(Player& p) {
    p.start();
    p.playToTitle(false);
    setUpHeavyScene();
    keepACrowd(70);
    p.frames(6.0);
    p.window.setFramerateLimit(0);
    FrameTimes wave;
    std::size_t fewest = game.crowd.customers.size();
    for (int i = 0; i < 240; ++i) {
        keepACrowd(70);
        timedFrame(p, wave, true);
        fewest = std::min(fewest, game.crowd.customers.size());
    }
    report("heavy.towers", static_cast<double>(game.defence.towers.size()));
    report("heavy.customers", static_cast<double>(fewest));
    reportFrames("heavy", wave);

    // A hundred customers on the floor, the level frozen: the draw pass alone.
    for (int i = static_cast<int>(game.crowd.customers.size()); i < 100; ++i)
        spawnCustomer(i % CustomerTypeCount, i % 4, 0, 150.0f + 130.0f * static_cast<float>(i % 11),
                      120.0f + 95.0f * static_cast<float>(i / 11 % 10));
    lateUpdate();
    FrameTimes crowd;
    for (int i = 0; i < 120; ++i)
        timedFrame(p, crowd, false);
    report("crowd.customers", static_cast<double>(game.crowd.customers.size()));
    reportFrames("crowd", crowd);
    report("heavy.peak_rss", peakRssMb());
}

// The time between two frames shown, frame by frame, while `step` runs before each frame (for
// at most that long, or until it says to stop).
template <class Step> std::vector<double> shownIntervals(Player& p, double seconds, Step step) {
    std::vector<double> intervals;
    long shown = framesShown();
    double last = monotonicSeconds();
    const double end = last + seconds;
    while (monotonicSeconds() < end && p.window.isOpen()) {
        if (!step())
            break;
        runFrame(*p.platform, &p.window);
        if (framesShown() != shown) {
            const double now = monotonicSeconds();
            intervals.push_back(now - last);
            last = now;
            shown = framesShown();
        }
    }
    return intervals;
}

// The pointer going round over the screen, as under a player's hand: something to show on
// every frame.
void movePointer(Player& p) {
    static int turn = 0;
    const double angle = 0.05 * turn++;
    const sf::Vector2u size = p.window.getSize();
    p.platform->mouse = sf::Vector2i(static_cast<int>(size.x / 2 + std::cos(angle) * size.x / 4),
                                     static_cast<int>(size.y / 2 + std::sin(angle) * size.y / 4));
}

// The first map won as a level ends: its last wave over, every customer gone, no countdown.
void winFirstMap(Player& p) {
    game.shared.currentLevel = 1;
    startLevel();
    p.frames(0.5);
    game.waves.wave = waveCountOf(1);
    game.waves.spawnedInWave = 1000;
    game.waveClock.countdown = 0;
    game.crowd.customers.clear();
    game.rating.RatingScore = 9;
    checkLevelEnd();
}

// The share of one core the whole process takes while the screen stands still.
double stillShare(Player& p, double seconds) {
    p.platform->mouse = sf::Vector2i(5, 5);
    p.frames(0.5);
    const double c0 = processCpu(), w0 = monotonicSeconds();
    p.frames(seconds);
    return (processCpu() - c0) / (monotonicSeconds() - w0);
}

// The screens the player sees, each as it is entered.
struct Shown {
    const char* name;
    void (*enter)();
};
const Shown shownScreens[] = {
    {"title", [] { game.shared.screen = TitleMenu; }},
    {"select", [] { game.shared.screen = LevelSelect; }},
    {"options", [] { game.shared.screen = Options; }},
    {"help", [] { game.shared.screen = Help; }},
    {"shop", [] { game.shared.screen = Shop; }},
    {"map1",
     [] {
         game.shared.currentLevel = 1;
         startLevel();
         game.waveClock.countdown = 0;
     }},
    {"map2",
     [] {
         game.shared.currentLevel = 2;
         startLevel();
         game.waveClock.countdown = 0;
     }},
    {"map3",
     [] {
         game.shared.currentLevel = 3;
         startLevel();
         game.waveClock.countdown = 0;
     }},
    {"heavy", setUpHeavyScene},
};

// Every screen at one window size ("WxH", or "full" for fullscreen): the longest wait between
// two frames shown during the intro, the frame interval on every screen while the pointer
// moves, and what the still screens cost.
void sceneScreens(Player& p, const std::string& size) {
    p.start();
    if (size == "full") {
        toggleFullscreen(p.window);
    } else {
        unsigned w = 0, h = 0;
        if (std::sscanf(size.c_str(), "%ux%u", &w, &h) == 2)
            p.window.setSize(sf::Vector2u(w, h));
    }
    // The longest the game went without a frame (a still picture is not shown again, so the
    // wait between two frames counts, not the wait between two pictures).
    std::vector<double> intro;
    double last = monotonicSeconds();
    const double introEnd = last + 60.0;
    while (game.shared.screen != TitleMenu && p.window.isOpen() && monotonicSeconds() < introEnd) {
        p.platform->left = game.shared.screen == Logo && game.intro.introPhase == 2;
        runFrame(*p.platform, &p.window);
        const double now = monotonicSeconds();
        intro.push_back(now - last);
        last = now;
    }
    p.platform->left = false;
    report("intro.gap_max", intro.empty() ? 0 : *std::max_element(intro.begin(), intro.end()));
    report("intro.p50", median(intro));
    report("intro.p95", percentile(intro, 0.95));
    game.progress.tutorialEnabled = 0;
    double worst = 0;
    for (const Shown& screen : shownScreens) {
        screen.enter();
        p.frames(1.5);
        const bool crowd = std::string(screen.name) == "heavy";
        const std::vector<double> intervals = shownIntervals(p, 3.0, [&] {
            movePointer(p);
            if (crowd)
                keepACrowd(70);
            return true;
        });
        const std::string name = screen.name;
        report((name + ".p50").c_str(), median(intervals));
        report((name + ".p95").c_str(), percentile(intervals, 0.95));
        if (!intervals.empty())
            worst = std::max(worst, *std::max_element(intervals.begin(), intervals.end()));
        game.shared.screen = LevelSelect;
        p.frames(0.3);
    }
    report("screens.max", worst);
    report("screens.held_back", static_cast<double>(framesHeldBack()));
    // Still: the title menu untouched, a paused level, a level's end panel.
    game.shared.screen = TitleMenu;
    report("still.title", stillShare(p, 3.0));
    game.shared.currentLevel = 1;
    startLevel();
    p.frames(0.5);
    game.waveClock.paused = 1;
    report("still.paused", stillShare(p, 3.0));
    game.waveClock.paused = 0;
    winFirstMap(p);
    report("still.end", stillShare(p, 3.0));
}

// One screen for a while, the pointer going round (for profilers): "hold NAME [WxH|full
// [still]]"; still: the pointer parked and the level paused; "end": the first map's end panel,
// the pointer parked.
void sceneHold(Player& p, const std::string& name, const std::string& size, bool still) {
    p.start();
    unsigned w = 0, h = 0;
    if (size == "full")
        toggleFullscreen(p.window);
    else if (std::sscanf(size.c_str(), "%ux%u", &w, &h) == 2)
        p.window.setSize(sf::Vector2u(w, h));
    p.playToTitle(false);
    game.progress.tutorialEnabled = 0;
    if (name == "end") { // the first map's end panel, its props going on under it
        winFirstMap(p);
        const long shown = framesShown();
        report("hold.still", stillShare(p, 10.0));
        report("hold.shown", static_cast<double>(framesShown() - shown));
        return;
    }
    for (const Shown& screen : shownScreens)
        if (name == screen.name) {
            screen.enter();
            if (still) {
                game.waveClock.paused = game.shared.screen == InGame ? 1 : 0;
                report("hold.still", stillShare(p, 10.0));
                return;
            }
            const bool crowd = name == "heavy";
            const std::vector<double> intervals = shownIntervals(p, 10.0, [&] {
                movePointer(p);
                if (crowd)
                    keepACrowd(70);
                return true;
            });
            report("hold.p50", median(intervals));
            report("hold.p95", percentile(intervals, 0.95));
        }
}

void scenePlay(Player& p) {
    p.start();
    p.playToTitle(false);
    report("play.title_rss", rssMb());
    for (int map = 1; map <= 3; ++map) {
        game.shared.currentLevel = map;
        startLevel();
        p.frames(3.0);
        game.shared.screen = LevelSelect;
        p.frames(0.3);
    }
    report("play.end_rss", rssMb());
    report("play.peak_rss", peakRssMb());
}

int runScene(int argc, char** argv) {
    Player p;
    const char* at = std::getenv("GOBBLER_PLAYER_EXEC_AT");
    p.execAt = at ? std::atof(at) : monotonicSeconds();
    const std::string root = enterSandbox(true);
    const std::string scene = argv[1];
    if (scene == "first") // the first frame alone (for profilers)
        p.start();
    else if (scene == "start")
        sceneStart(p);
    else if (scene == "setup")
        sceneSetUp(p, argc > 2 ? std::atoi(argv[2]) : 1);
    else if (scene == "heavy")
        sceneHeavy(p);
    else if (scene == "play")
        scenePlay(p);
    else if (scene == "screens")
        sceneScreens(p, argc > 2 ? argv[2] : "1749x984");
    else if (scene == "hold")
        sceneHold(p, argc > 2 ? argv[2] : "title", argc > 3 ? argv[3] : "1749x984",
                  argc > 4 && std::string(argv[4]) == "still");
    // The loading thread may still read the sandbox's pictures: it is done before they go.
    finishLoading();
    std::error_code ignored;
    std::filesystem::current_path("/", ignored);
    std::filesystem::remove_all(root, ignored);
    // The game is never torn down (its GL objects must not outlive their context).
    std::fflush(stdout);
    _exit(0);
}

// ------------------------------------------------------------------ the table (parent side)

using Figures = std::map<std::string, double>;

// Runs one scene of one build in a fresh process and reads its figures.
Figures runChild(const std::string& program, const std::vector<std::string>& args) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {};
    char execAt[64];
    std::snprintf(execAt, sizeof execAt, "%.9f", monotonicSeconds());
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        dup2(pipeFds[1], 1);
        setenv("GOBBLER_PLAYER_EXEC_AT", execAt, 1);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
        if (n > 0)
            text.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    Figures figures;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        const std::size_t space = line.find(' ');
        if (space != std::string::npos)
            figures[line.substr(0, space)] = std::atof(line.c_str() + space + 1);
        start = end + 1;
    }
    return figures;
}

struct Scene {
    std::vector<std::string> args;
    int runs;
};

// Fixed run counts: every figure is the min and the median of these.
const Scene scenes[] = {
    {{"start"}, 3},
    {{"setup", "1"}, 3},
    {{"setup", "2"}, 2},
    {{"setup", "3"}, 2},
    {{"heavy"}, 3},
    {{"play"}, 2},
    {{"screens", "1749x984"}, 1},
    {{"screens", "1194x672"}, 1},
    {{"screens", "full"}, 1},
};

// Rows of the table: the figure, its unit scale and label.
struct Row {
    const char* scene;
    const char* key;
    double scale;
    const char* unit;
};
const Row rows[] = {
    {"start", "first_frame.wall", 1, "s"},
    {"start", "first_frame.cpu", 1, "s"},
    {"start", "first_frame.main_cpu", 1, "s"},
    {"start", "title.wall", 1, "s"},
    {"start", "title.cpu", 1, "s"},
    {"start", "intro.frame_cpu_max", 1000, "ms"},
    {"start", "intro.frame_cpu_p99", 1000, "ms"},
    {"start", "intro.frames_over_16ms_cpu", 1, ""},
    {"start", "intro.frame_wall_max", 1000, "ms"},
    {"start", "title.peak_rss", 1, "MB"},
    {"setup 1", "setup_cold.cpu", 1000, "ms"},
    {"setup 1", "setup_cold.main_cpu", 1000, "ms"},
    {"setup 1", "setup_cold.frame_wall", 1000, "ms"},
    {"setup 1", "setup_warm.cpu", 1000, "ms"},
    {"setup 1", "setup_restart.cpu", 1000, "ms"},
    {"setup 2", "setup_cold.cpu", 1000, "ms"},
    {"setup 2", "setup_cold.frame_wall", 1000, "ms"},
    {"setup 2", "setup_warm.cpu", 1000, "ms"},
    {"setup 2", "setup_restart.cpu", 1000, "ms"},
    {"setup 3", "setup_cold.cpu", 1000, "ms"},
    {"setup 3", "setup_cold.frame_wall", 1000, "ms"},
    {"setup 3", "setup_warm.cpu", 1000, "ms"},
    {"setup 3", "setup_restart.cpu", 1000, "ms"},
    {"heavy", "heavy.customers", 1, ""},
    {"heavy", "heavy.frame_p50", 1000, "ms"},
    {"heavy", "heavy.frame_p90", 1000, "ms"},
    {"heavy", "heavy.frame_cpu_p50", 1000, "ms"},
    {"heavy", "heavy.update_p50", 1000, "ms"},
    {"heavy", "heavy.submit_p50", 1000, "ms"},
    {"heavy", "heavy.display_p50", 1000, "ms"},
    {"heavy", "crowd.frame_p50", 1000, "ms"},
    {"heavy", "crowd.submit_p50", 1000, "ms"},
    {"heavy", "heavy.peak_rss", 1, "MB"},
    {"play", "play.title_rss", 1, "MB"},
    {"play", "play.end_rss", 1, "MB"},
    {"play", "play.peak_rss", 1, "MB"},
    {"screens 1749x984", "intro.gap_max", 1000, "ms"},
    {"screens 1749x984", "intro.p50", 1000, "ms"},
    {"screens 1749x984", "intro.p95", 1000, "ms"},
    {"screens 1749x984", "title.p50", 1000, "ms"},
    {"screens 1749x984", "title.p95", 1000, "ms"},
    {"screens 1749x984", "select.p50", 1000, "ms"},
    {"screens 1749x984", "select.p95", 1000, "ms"},
    {"screens 1749x984", "options.p50", 1000, "ms"},
    {"screens 1749x984", "options.p95", 1000, "ms"},
    {"screens 1749x984", "help.p50", 1000, "ms"},
    {"screens 1749x984", "help.p95", 1000, "ms"},
    {"screens 1749x984", "shop.p50", 1000, "ms"},
    {"screens 1749x984", "shop.p95", 1000, "ms"},
    {"screens 1749x984", "map1.p50", 1000, "ms"},
    {"screens 1749x984", "map1.p95", 1000, "ms"},
    {"screens 1749x984", "map2.p50", 1000, "ms"},
    {"screens 1749x984", "map2.p95", 1000, "ms"},
    {"screens 1749x984", "map3.p50", 1000, "ms"},
    {"screens 1749x984", "map3.p95", 1000, "ms"},
    {"screens 1749x984", "heavy.p50", 1000, "ms"},
    {"screens 1749x984", "heavy.p95", 1000, "ms"},
    {"screens 1749x984", "screens.max", 1000, "ms"},
    {"screens 1749x984", "screens.held_back", 1, ""},
    {"screens 1749x984", "still.title", 100, "%"},
    {"screens 1749x984", "still.paused", 100, "%"},
    {"screens 1749x984", "still.end", 100, "%"},
    {"screens 1194x672", "intro.gap_max", 1000, "ms"},
    {"screens 1194x672", "intro.p50", 1000, "ms"},
    {"screens 1194x672", "intro.p95", 1000, "ms"},
    {"screens 1194x672", "title.p50", 1000, "ms"},
    {"screens 1194x672", "title.p95", 1000, "ms"},
    {"screens 1194x672", "select.p50", 1000, "ms"},
    {"screens 1194x672", "select.p95", 1000, "ms"},
    {"screens 1194x672", "options.p50", 1000, "ms"},
    {"screens 1194x672", "options.p95", 1000, "ms"},
    {"screens 1194x672", "help.p50", 1000, "ms"},
    {"screens 1194x672", "help.p95", 1000, "ms"},
    {"screens 1194x672", "shop.p50", 1000, "ms"},
    {"screens 1194x672", "shop.p95", 1000, "ms"},
    {"screens 1194x672", "map1.p50", 1000, "ms"},
    {"screens 1194x672", "map1.p95", 1000, "ms"},
    {"screens 1194x672", "map2.p50", 1000, "ms"},
    {"screens 1194x672", "map2.p95", 1000, "ms"},
    {"screens 1194x672", "map3.p50", 1000, "ms"},
    {"screens 1194x672", "map3.p95", 1000, "ms"},
    {"screens 1194x672", "heavy.p50", 1000, "ms"},
    {"screens 1194x672", "heavy.p95", 1000, "ms"},
    {"screens 1194x672", "screens.max", 1000, "ms"},
    {"screens 1194x672", "screens.held_back", 1, ""},
    {"screens 1194x672", "still.title", 100, "%"},
    {"screens 1194x672", "still.paused", 100, "%"},
    {"screens 1194x672", "still.end", 100, "%"},
    {"screens full", "intro.gap_max", 1000, "ms"},
    {"screens full", "intro.p50", 1000, "ms"},
    {"screens full", "intro.p95", 1000, "ms"},
    {"screens full", "title.p50", 1000, "ms"},
    {"screens full", "title.p95", 1000, "ms"},
    {"screens full", "select.p50", 1000, "ms"},
    {"screens full", "select.p95", 1000, "ms"},
    {"screens full", "options.p50", 1000, "ms"},
    {"screens full", "options.p95", 1000, "ms"},
    {"screens full", "help.p50", 1000, "ms"},
    {"screens full", "help.p95", 1000, "ms"},
    {"screens full", "shop.p50", 1000, "ms"},
    {"screens full", "shop.p95", 1000, "ms"},
    {"screens full", "map1.p50", 1000, "ms"},
    {"screens full", "map1.p95", 1000, "ms"},
    {"screens full", "map2.p50", 1000, "ms"},
    {"screens full", "map2.p95", 1000, "ms"},
    {"screens full", "map3.p50", 1000, "ms"},
    {"screens full", "map3.p95", 1000, "ms"},
    {"screens full", "heavy.p50", 1000, "ms"},
    {"screens full", "heavy.p95", 1000, "ms"},
    {"screens full", "screens.max", 1000, "ms"},
    {"screens full", "screens.held_back", 1, ""},
    {"screens full", "still.title", 100, "%"},
    {"screens full", "still.paused", 100, "%"},
    {"screens full", "still.end", 100, "%"},
};

std::string sceneName(const Scene& scene) {
    std::string name;
    for (const std::string& arg : scene.args)
        name += (name.empty() ? "" : " ") + arg;
    return name;
}

int runTable(const std::string& self, const std::string& other, const std::string& only) {
    const std::vector<std::string> builds =
        other.empty() ? std::vector<std::string>{self} : std::vector<std::string>{other, self};
    // results[build][scene][figure] = every run's value
    std::vector<std::map<std::string, std::map<std::string, std::vector<double>>>> results(
        builds.size());
    for (const Scene& scene : scenes) {
        const std::string name = sceneName(scene);
        if (!only.empty() && name.compare(0, only.size(), only) != 0)
            continue;
        for (int run = 0; run < scene.runs; ++run)
            for (std::size_t b = 0; b < builds.size(); ++b) {
                std::fprintf(stderr, "%s: %s, run %d\n", builds[b].c_str(), name.c_str(), run + 1);
                for (const auto& [key, value] : runChild(builds[b], scene.args))
                    results[b][name][key].push_back(value);
            }
    }
    std::printf("%-8s %-28s", "scene", "figure (min / median)");
    for (std::size_t b = 0; b < builds.size(); ++b)
        std::printf(" %22s", b == 0 && builds.size() > 1 ? "other (before)" : "this build");
    if (builds.size() > 1)
        std::printf(" %8s", "ratio");
    std::printf("\n");
    for (const Row& row : rows) {
        std::printf("%-8s %-28s", row.scene, row.key);
        double medians[2] = {0, 0};
        for (std::size_t b = 0; b < builds.size(); ++b) {
            const std::vector<double>& values = results[b][row.scene][row.key];
            if (values.empty()) {
                std::printf(" %22s", "-");
                continue;
            }
            const double low = *std::min_element(values.begin(), values.end()) * row.scale;
            medians[b] = median(values) * row.scale;
            char cell[64];
            std::snprintf(cell, sizeof cell, "%.3g / %.3g %s", low, medians[b], row.unit);
            std::printf(" %22s", cell);
        }
        if (builds.size() > 1 && medians[0] > 0)
            std::printf(" %7.2fx", medians[1] / medians[0]);
        std::printf("\n");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strncmp(argv[1], "--", 2) != 0)
        return runScene(argc, argv);
    const std::string self = std::filesystem::canonical("/proc/self/exe").string();
    std::string other, only;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--against") == 0)
            other = std::filesystem::canonical(argv[i + 1]).string();
        else if (std::strcmp(argv[i], "--only") == 0)
            only = argv[i + 1];
    }
    return runTable(self, other, only);
}

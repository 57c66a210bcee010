// The picture fitted into windows of any shape: clicks land where the player sees things, the
// black bars do nothing, and the window opens to fit the desktop.
#include "frame/frame.h"
#include "frame/window.h"
#include "ground/game.h"
#include "ground/records.h"
#include "persist/records.h"
#include "platform/platform.h"
#include "rating/rating.h"
#include "rating/records.h"
#include "support/frame_driver.h"
#include "support/sandbox.h"
#include "towers/records.h"
#include "ui/records.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// The window pixel where a point of the picture is shown.
sf::Vector2i shownAt(sf::Vector2u window, float x, float y) {
    const sf::FloatRect area = pictureArea(window);
    const float scale = area.width / layoutWidth;
    return sf::Vector2i(static_cast<int>(std::floor(area.left + (x + 0.5f) * scale)),
                        static_cast<int>(std::floor(area.top + (y + 0.5f) * scale)));
}

// A player in a window of that size, clicking what is shown.
struct InWindow : FrameDriver {
    explicit InWindow(sf::Vector2u size) { platform.size = size; }
    void clickShown(float x, float y) {
        const sf::Vector2i at = shownAt(platform.size, x, y);
        press(at.x, at.y);
        frame();
        release();
        frame();
    }
};

const sf::Vector2u windowSizes[] = {{1920, 1080}, {1366, 768}, {1280, 720}, {1000, 563},
                                    {2560, 1440}, {1024, 768}, {2560, 1080}};

} // namespace

TEST(Window, PictureFitsCentredWithBarsAndPixelsMapBackIntoIt) {
    EXPECT_EQ(pictureArea({1920, 1080}), sf::FloatRect(0, 0, 1920, 1080));
    EXPECT_EQ(pictureArea({1024, 768}), sf::FloatRect(0, 96, 1024, 576)) << "letterbox";
    EXPECT_EQ(pictureArea({2560, 1080}), sf::FloatRect(320, 0, 1920, 1080)) << "pillarbox";
    for (const sf::Vector2u size : windowSizes) {
        for (const sf::Vector2f p : {sf::Vector2f(0, 0), sf::Vector2f(960, 540),
                                     sf::Vector2f(1919, 1079), sf::Vector2f(1605, 1027)}) {
            const sf::Vector2i back = windowToFrame(shownAt(size, p.x, p.y), size);
            EXPECT_NEAR(back.x, p.x, 1) << size.x << "x" << size.y;
            EXPECT_NEAR(back.y, p.y, 1) << size.x << "x" << size.y;
        }
    }
    // The bars lie outside the picture.
    EXPECT_LT(windowToFrame({5, 40}, {1024, 768}).y, 0);
    EXPECT_LT(windowToFrame({100, 500}, {2560, 1080}).x, 0);
}

// The same play at every window size: title menu, level selection, a level, a tower built on a
// pedestal through its menu; a press on a bar changes nothing.
TEST(Window, ClicksAtTheShownPlacesPlayAsAtFullSize) {
    for (const sf::Vector2u size : windowSizes) {
        SCOPED_TRACE(std::to_string(size.x) + "x" + std::to_string(size.y));
        InWindow driver(size);
        game.progress.tutorialEnabled = 0;
        game.shared.screen = TitleMenu;
        driver.frame();
        driver.clickShown(1091, 235); // "Jouer"
        ASSERT_EQ(game.shared.screen, LevelSelect);
        driver.clickShown(1496, 410); // the first level's card
        ASSERT_EQ(game.shared.screen, InGame);
        driver.clickShown(1376, 680); // a pedestal
        ASSERT_EQ(game.defence.towerMenu, BuildMenu);
        if (pictureArea(size).left >= 4 || pictureArea(size).top >= 4) {
            driver.press(1, 1); // a corner of the window is on a bar
            driver.frame();
            driver.release();
            driver.frame();
            EXPECT_EQ(game.defence.towerMenu, BuildMenu) << "a press on a bar does nothing";
        }
        const sf::Vector2f fries = game.defence.buildButtons[Fries].getPosition();
        driver.clickShown(fries.x, fries.y);
        ASSERT_EQ(game.defence.towers.size(), 1u);
        EXPECT_EQ(game.rating.money, 320 - 100);
        const sf::Vector2f pause = game.hud.pauseButton.getPosition();
        driver.clickShown(pause.x + 21, pause.y + 35);
        EXPECT_EQ(game.waveClock.paused, 1);
    }
}

TEST(Window, OpensToFitTheDesktopAndRemembersItsSettings) {
    // Room is left for a panel and a title bar; never larger than the picture on a small or
    // full-HD desktop; a larger desktop may have a larger window.
    EXPECT_EQ(startWindowSize({1366, 768}, {}), sf::Vector2u(1194, 672));
    EXPECT_EQ(startWindowSize({1280, 720}, {}), sf::Vector2u(1109, 624));
    EXPECT_EQ(startWindowSize({1920, 1080}, {}), sf::Vector2u(1749, 984));
    EXPECT_EQ(startWindowSize({3840, 2160}, {}), sf::Vector2u(3669, 2064));
    Settings left;
    left.width = 1000;
    left.height = 600;
    EXPECT_EQ(startWindowSize({1366, 768}, left), sf::Vector2u(1000, 600));
    left.width = 1900;
    EXPECT_EQ(startWindowSize({1366, 768}, left), sf::Vector2u(1194, 672)) << "no longer fits";

    Settings chosen;
    chosen.fullscreen = true;
    chosen.width = 1280;
    chosen.height = 720;
    chosen.language = "en";
    chosen.musicVolume = 24 * 100.0f / 551;
    chosen.muted = true;
    const Settings read = readSettings(formatSettings(chosen));
    EXPECT_TRUE(read.fullscreen);
    EXPECT_EQ(read.width, 1280u);
    EXPECT_EQ(read.height, 720u);
    EXPECT_EQ(read.language, "en");
    EXPECT_EQ(read.musicVolume, chosen.musicVolume) << "a volume comes back to the last bit";
    EXPECT_TRUE(read.muted);
    // A language is a code, never a path nor anything longer.
    for (const char* line : {"language ../../etc", "language en/..", "language ", "language e n",
                             "language abcdefghijklmnopqrstuvwxyz", "language EN"})
        EXPECT_EQ(readSettings(line).language, "") << line;
    const Settings damaged = readSettings("width -5\nheight 99999999999\nfullscreen");
    EXPECT_FALSE(damaged.fullscreen);
    EXPECT_EQ(damaged.width, 0u);
    EXPECT_EQ(damaged.height, 0u);
    // A damaged line costs only its own setting.
    const char lines[] =
        "width 1000x\nheight 600\r\nfullscreen 1 2\n\xff\0 1\nmusic nan\nmuted yes\n"
        "effects 12.5\nmusic 100.5\nwidth 99999999999999999999";
    const Settings partly = readSettings(std::string(lines, sizeof lines - 1));
    EXPECT_FALSE(partly.fullscreen);
    EXPECT_EQ(partly.width, 0u);
    EXPECT_EQ(partly.height, 600u);
    EXPECT_EQ(partly.musicVolume, 50.0f) << "a volume is a number from 0 to 100";
    EXPECT_EQ(partly.effectsVolume, 12.5f);
    EXPECT_FALSE(partly.muted);
}

// Whatever lies at the settings' name, start-up opens the window at once, at the player's size
// when the file is the game's own and readable, else at the defaults; closing the window then
// writes a whole file in place of a regular one, and leaves a pipe, a link to a device or a
// folder as they were.
TEST(Window, AnySettingsFileOpensTheWindowAtOnceAndOnlyARegularOneIsWritten) {
    namespace fs = std::filesystem;
    const std::string path = settingsPath();
    struct OddFile {
        const char* what;
        std::function<void()> make;
        sf::Vector2u size; // the window's at start; 0 x 0: the desktop's default
        bool written;
    };
    const OddFile files[] = {
        {"missing", [] {}, {}, true},
        {"the game's own",
         [&] { writeFile(path, "fullscreen 0\nwidth 1000\nheight 600\n"); },
         {1000, 600},
         true},
        {"bytes of every sort",
         [&] {
             const char bytes[] = "\x01\xff\0\nwidth 1000\n\x80height 9\nheight 600";
             writeFile(path, std::string(bytes, sizeof bytes - 1));
         },
         {1000, 600},
         true},
        {"3 GB",
         [&] {
             writeFile(path, "width 1000\nheight 600\n");
             fs::resize_file(path, 3ull << 30);
         },
         {},
         true},
        {"a pipe", [&] { ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); }, {}, false},
        {"a link to a device", [&] { fs::create_symlink("/dev/zero", path); }, {}, false},
        {"a folder", [&] { fs::create_directory(path); }, {}, false},
    };
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    const sf::Vector2u defaultSize = startWindowSize({desktop.width, desktop.height}, {});
    for (const OddFile& file : files) {
        SCOPED_TRACE(file.what);
        std::error_code ignored;
        fs::remove_all(path, ignored);
        file.make();
        struct stat before {};
        ::lstat(path.c_str(), &before);

        // Were start-up to wait on the pipe for a writer, a writer shows up after 5 s and the
        // test fails on the time rather than hanging the suite.
        std::atomic<bool> opened{false};
        std::thread rescue([&] {
            for (int i = 0; i < 50 && !opened; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (!opened) {
                const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
            }
        });
        sf::RenderWindow window;
        const auto start = std::chrono::steady_clock::now();
        openGameWindow(window);
        const auto took = std::chrono::steady_clock::now() - start;
        opened = true;
        rescue.join();
        EXPECT_LT(took, std::chrono::seconds(2));
        ASSERT_TRUE(window.isOpen());
        const sf::Vector2u size = window.getSize();
        EXPECT_EQ(size, file.size.x ? file.size : defaultSize);

        closeGameWindow(window);
        struct stat after {};
        ::lstat(path.c_str(), &after);
        if (file.written) {
            const Settings settings = readSettings(readFile(path));
            EXPECT_TRUE(S_ISREG(after.st_mode));
            EXPECT_EQ(readFile(path), formatSettings(settings));
            EXPECT_EQ(sf::Vector2u(settings.width, settings.height), size);
        } else {
            EXPECT_EQ(after.st_mode, before.st_mode);
            EXPECT_EQ(after.st_ino, before.st_ino);
        }
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path()))
            names.push_back(entry.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{"settings.txt"}) << "nothing left beside it";
    }
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

// The picture as each window shows it, for a look by eye:
// gobbler_tests --gtest_also_run_disabled_tests --gtest_filter='Window.DISABLED_*'
TEST(Window, DISABLED_ScreenshotsAtEverySize) {
    FrameDriver driver;
    game.progress.tutorialEnabled = 0;
    driver.startLevel(1);
    driver.runFor(14.0);
    driver.frameImage();
    for (const sf::Vector2u size : windowSizes) {
        sf::RenderTexture window;
        ASSERT_TRUE(window.create(size.x, size.y));
        presentFrame(frameRenderer(), window);
        window.display();
        window.getTexture().copyToImage().saveToFile(std::string(GOBBLER_SOURCE_DIR) +
                                                     "/out/window_" + std::to_string(size.x) + "x" +
                                                     std::to_string(size.y) + ".png");
    }
}

// F11 fifty times there and back: the same picture, the same game, no memory kept per switch.
TEST(Window, FullscreenAndBackFiftyTimesKeepsPicturesGameAndMemory) {
    FrameDriver driver;
    game.progress.tutorialEnabled = 0;
    driver.startLevel(1);
    driver.runFor(2.0);
    const sf::Image before = driver.frameImage();
    const int money = game.rating.money;
    auto residentPages = [] {
        long size = 0, resident = 0;
        std::FILE* statm = std::fopen("/proc/self/statm", "r");
        if (statm) {
            if (std::fscanf(statm, "%ld %ld", &size, &resident) != 2)
                resident = 0;
            std::fclose(statm);
        }
        return resident;
    };
    sf::RenderWindow& window = *driver.platform.window;
    toggleFullscreen(window); // the first switch makes what every later one reuses
    toggleFullscreen(window);
    const long residentBefore = residentPages();
    long residentAfter = 0;
    for (int i = 0; i < 100; ++i) {
        toggleFullscreen(window);
        ASSERT_TRUE(window.isOpen());
        if (i == 99) {
            residentAfter = residentPages(); // before the picture read back for the test
            // The new window's first picture, drawn before the window has shown anything: the
            // countdown moved on; the rest of it (map, HUD, pedestals) is the same.
            const sf::Image after = driver.frameImage();
            EXPECT_EQ(after.getPixel(960, 540), before.getPixel(960, 540));
            EXPECT_EQ(after.getPixel(1700, 60), before.getPixel(1700, 60));
            EXPECT_EQ(after.getPixel(1376, 680), before.getPixel(1376, 680));
        }
        driver.drawing = true;
        driver.frame();
    }
    driver.drawing = false;
    EXPECT_LT(residentAfter - residentBefore, 2560) << "under 10 MB more";
    EXPECT_EQ(game.rating.money, money);
}

// Under the level's end panel only the room's props and the pointer move: each frame is drawn
// again only where they moved, and shows exactly what a frame drawn whole shows, in the picture
// and in the window.
TEST(Window, AFrameDrawnOnlyWhereItMovedShowsWhatAWholeOneShows) {
    FrameDriver driver;
    game.progress.tutorialEnabled = 0;
    driver.startLevel(1);
    driver.runFor(1.0);
    game.rating.RatingScore = 9;
    checkLevelEnd();
    driver.drawing = true;
    driver.moveMouse(300, 300);
    driver.frames(2);
    sf::RenderWindow& window = *driver.platform.window;
    Renderer& renderer = frameRenderer();
    const auto windowPicture = [&window] {
        sf::Texture shown;
        EXPECT_TRUE(shown.create(window.getSize().x, window.getSize().y));
        shown.update(window);
        return shown.copyToImage();
    };
    const long inPart = framesDrawnInPart(), shown = framesShown();
    int compared = 0;
    for (int i = 0; i < 240 && compared < 6; ++i) {
        if (i % 40 == 20)
            driver.moveMouse(300 + 10 * i, 300 + 3 * i); // the pointer moves now and then
        const long before = framesDrawnInPart();
        driver.frame();
        if (framesDrawnInPart() == before || i < 60)
            continue;
        const sf::Image part = renderer.frame.getTexture().copyToImage();
        const sf::Image partShown = windowPicture();
        const sf::Image whole = driver.frameImage();
        presentFrame(renderer, window);
        const sf::Image wholeShown = windowPicture();
        ++compared;
        int differing = 0, differingShown = 0;
        for (unsigned y = 0; y < whole.getSize().y; ++y)
            for (unsigned x = 0; x < whole.getSize().x; ++x)
                differing += part.getPixel(x, y) != whole.getPixel(x, y);
        for (unsigned y = 0; y < wholeShown.getSize().y; ++y)
            for (unsigned x = 0; x < wholeShown.getSize().x; ++x) {
                const sf::Color a = partShown.getPixel(x, y), b = wholeShown.getPixel(x, y);
                differingShown +=
                    std::abs(a.r - b.r) > 2 || std::abs(a.g - b.g) > 2 || std::abs(a.b - b.b) > 2;
            }
        EXPECT_EQ(differing, 0) << "frame " << i;
        EXPECT_EQ(differingShown, 0) << "frame " << i;
    }
    EXPECT_EQ(compared, 6);
    // Drawn whole only when the test drew it whole itself, and at the start.
    EXPECT_GE(framesDrawnInPart() - inPart, (framesShown() - shown) * 3 / 4);
}

// Audio: start volumes, the x2 pitches, muting, the in-game sliders, and real output through
// OpenAL's wave-file device.
#include "assets/assets.h"
#include "customers/customers.h"
#include "ground/game.h"
#include "ground/records.h"
#include "persist/persist.h"
#include "persist/records.h"
#include "rating/rating.h"
#include "rating/records.h"
#include "support/frame_driver.h"
#include "support/sandbox.h"
#include "ui/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const sf::Vector2i mutePoint{1770, 1025}, speedPoint{1865, 1025}, menuPoint{1690, 1025},
    optionsItem{600, 575};

sf::Sound& sound(int id) {
    return game.sound.audio->sounds[id];
}

bool followsSpeed(int id) {
    return id <= SoundPathAlert; // the twelve shot, hit, voice, objective and alert sounds
}

bool isStartUpSound(int id) {
    return id == SoundBite1 || id == SoundBite2 || id == SoundBite3 || id == SoundIntroLogo;
}

void startLevel(FrameDriver& driver) {
    game.progress.tutorialEnabled = 0;
    driver.startLevel(3);
    driver.frame();
}

} // namespace

TEST(Audio, StartVolumesAndPitches) {
    FrameDriver driver;
    for (int id = 0; id < SoundCount; ++id) {
        EXPECT_FLOAT_EQ(sound(id).getVolume(), id == SoundIntroLogo ? 100.0f : 50.0f) << id;
        EXPECT_FLOAT_EQ(sound(id).getPitch(), 1.0f) << id;
    }
    for (MusicStream& music : game.sound.audio->musics) {
        EXPECT_FLOAT_EQ(music.getVolume(), 50.0f);
        EXPECT_TRUE(music.getLoop());
    }
}

TEST(Audio, ASoundOrMusicPlayedBeforeTheLoadingThreadHasItWaitsAndAClosingForgetsIt) {
    FrameDriver driver;
    deferLoading();
    initAudio(); // as at start-up: the sounds are queued, none decoded yet
    if (!game.sound.audio)
        GTEST_SKIP() << "no audio device";
    EXPECT_EQ(game.sound.audio->buffers[SoundBite1].getSampleCount(), 0u);
    playSound(SoundBite1);
    EXPECT_GT(game.sound.audio->buffers[SoundBite1].getSampleCount(), 0u);
    EXPECT_NE(sound(SoundBite1).getStatus(), sf::Sound::Stopped);
    playMusic(MusicMenu);
    EXPECT_TRUE(musicPlaying(MusicMenu));
    // The window closed during the splash: nothing is brought into the sounds that went.
    initAudio();
    shutdownAudio();
    EXPECT_EQ(game.sound.audio, nullptr);
    finishLoading();
}

TEST(Audio, AMusicGoesOnFromItsStartPastItsEnd) {
    FrameDriver driver;
    if (!game.sound.audio)
        GTEST_SKIP() << "no audio device";
    sf::InputSoundFile file;
    ASSERT_TRUE(file.openFromFile(GOBBLER_SOURCE_DIR "/resources/sfx/musiques/Menu Principal.ogg"));
    MusicStream& music = game.sound.audio->musics[MusicMenu];
    music.play();
    music.setPlayingOffset(file.getDuration() - sf::milliseconds(300));
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    EXPECT_EQ(music.getStatus(), sf::SoundStream::Playing);
    EXPECT_LT(music.getPlayingOffset(), sf::seconds(2)) << "back at its start";
    music.stop();
}

TEST(Audio, OnlyTheX2ButtonChangesTheTwelvePitches) {
    FrameDriver driver(0.1);
    startLevel(driver);
    driver.click(speedPoint.x, speedPoint.y);
    ASSERT_EQ(game.waveClock.gameSpeed, 2);
    for (int id = 0; id < SoundCount; ++id)
        EXPECT_FLOAT_EQ(sound(id).getPitch(), followsSpeed(id) ? 2.0f : 1.0f) << id;
    for (MusicStream& music : game.sound.audio->musics)
        EXPECT_FLOAT_EQ(music.getPitch(), 1.0f);
    driver.click(speedPoint.x, speedPoint.y);
    for (int id = 0; id < SoundCount; ++id)
        EXPECT_FLOAT_EQ(sound(id).getPitch(), 1.0f) << id;

    // The number keys change the speed but no pitch.
    driver.platform.key2 = true;
    driver.frame();
    driver.platform.key2 = false;
    EXPECT_EQ(game.waveClock.gameSpeed, 2);
    EXPECT_FLOAT_EQ(sound(SoundSodaShot).getPitch(), 1.0f);
    driver.platform.key1 = true;
    driver.frame();
    driver.platform.key1 = false;
    driver.click(speedPoint.x, speedPoint.y); // 1 -> 2 through the button again
    EXPECT_FLOAT_EQ(sound(SoundSodaShot).getPitch(), 2.0f);
}

TEST(Audio, MuteSilencesTheLevelButNotTheMenuMusicAndSlidersWaitForUnmuting) {
    FrameDriver driver(0.1);
    startLevel(driver);
    driver.click(mutePoint.x, mutePoint.y);
    ASSERT_EQ(game.sound.muted, 1);
    EXPECT_EQ(game.hud.muteButton.getTextureRect(), sf::IntRect(78, 0, 78, 39));
    for (int id = 0; id < SoundCount; ++id)
        EXPECT_FLOAT_EQ(sound(id).getVolume(),
                        isStartUpSound(id) ? (id == SoundIntroLogo ? 100.0f : 50.0f) : 0.0f)
            << id;
    EXPECT_FLOAT_EQ(game.sound.audio->musics[MusicMenu].getVolume(), 50.0f);
    for (MusicId music : {MusicLevel1, MusicLevel2, MusicLevel3})
        EXPECT_FLOAT_EQ(game.sound.audio->musics[music].getVolume(), 0.0f);

    // The in-game sliders move the volumes but nothing is heard until unmuting.
    driver.click(menuPoint.x, menuPoint.y);
    driver.click(optionsItem.x, optionsItem.y);
    ASSERT_EQ(game.shared.screen, GameOptions);
    driver.press(600, 500); // far left of the music bar
    driver.frame();
    driver.release();
    driver.frame();
    EXPECT_NEAR(game.sound.musicVolume, 24 * 100.0 / 551, 1e-3);
    EXPECT_FLOAT_EQ(game.sound.audio->musics[MusicLevel3].getVolume(), 0.0f);
    EXPECT_FLOAT_EQ(sound(SoundBite1).getVolume(), 50.0f) << "the bites follow the slider";
    game.shared.screen = InGame;
    driver.click(mutePoint.x, mutePoint.y);
    EXPECT_EQ(game.sound.muted, 0);
    EXPECT_NEAR(game.sound.audio->musics[MusicLevel3].getVolume(), 24 * 100.0 / 551, 1e-3);
    EXPECT_FLOAT_EQ(sound(SoundClick).getVolume(), 50.0f);
}

// The volumes and the mute switch come back at the next start; the save keeps its bytes.
TEST(Audio, VolumesAndMuteComeBackAtTheNextStartAndTheSaveKeepsItsBytes) {
    std::string save;
    {
        FrameDriver driver(0.1);
        startLevel(driver);
        writeSave();
        save = readFile(sandboxSavePath());
        for (const sf::Vector2i at : {mutePoint, menuPoint, optionsItem, sf::Vector2i(600, 500)})
            driver.click(at.x, at.y); // muted, then the music bar far left
    }
    FrameDriver again(0.1);
    EXPECT_NEAR(game.sound.musicVolume, 24 * 100.0 / 551, 1e-3);
    EXPECT_EQ(game.sound.muted, 1);
    EXPECT_FLOAT_EQ(game.sound.audio->musics[MusicMenu].getVolume(), game.sound.musicVolume);
    startLevel(again);
    EXPECT_EQ(game.hud.muteButton.getTextureRect().left, 78) << "shown muted";
    EXPECT_FLOAT_EQ(sound(SoundClick).getVolume(), 0.0f);
    EXPECT_EQ(readFile(sandboxSavePath()), save);
}

TEST(Audio, RulesThatWaitForASoundGoOnWithoutADevice) {
    FrameDriver driver;
    playSound(SoundBachelorHappy);
    stopSound(SoundBachelorHappy);
    EXPECT_TRUE(soundStopped(SoundBachelorHappy));
    shutdownAudio(); // no audio at all: every call is silent and harmless
    playSound(SoundVictory);
    playMusic(MusicLevel1);
    applyVolumes();
    EXPECT_TRUE(soundStopped(SoundVictory));
    EXPECT_FALSE(musicPlaying(MusicLevel1));
}

// ---- real output: a child process plays through OpenAL's wave-file device

namespace {

std::string readText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Peak level (0..1) of every 10 ms block of a WAV file written by the wave device.
std::vector<double> blockPeaks(const std::string& path) {
    const std::string data = readText(path);
    std::vector<double> peaks;
    if (data.size() < 12 || data.compare(0, 4, "RIFF") != 0)
        return peaks;
    std::uint16_t format = 0, channels = 0, bits = 0;
    std::uint32_t rate = 0;
    std::size_t at = 12;
    while (at + 8 <= data.size()) {
        std::uint32_t size;
        std::memcpy(&size, data.data() + at + 4, 4);
        const std::string id = data.substr(at, 4);
        const char* body = data.data() + at + 8;
        if (id == "fmt ") {
            std::memcpy(&format, body, 2);
            std::memcpy(&channels, body + 2, 2);
            std::memcpy(&rate, body + 4, 4);
            std::memcpy(&bits, body + 14, 2);
            if (format == 0xFFFE && size >= 26)
                std::memcpy(&format, body + 24, 2); // the extensible header's sub-format
        } else if (id == "data") {
            // The device may be cut off before it writes the chunk's final size.
            const std::size_t length = std::min<std::size_t>(size, data.size() - at - 8);
            const std::size_t frameBytes = channels * (bits / 8);
            const std::size_t block = std::max<std::size_t>(1, rate / 100) * frameBytes;
            for (std::size_t start = 0; frameBytes && start + block <= length; start += block) {
                double peak = 0;
                for (std::size_t i = start; i + bits / 8 <= start + block; i += bits / 8) {
                    double value = 0;
                    if (format == 3 && bits == 32) {
                        float f;
                        std::memcpy(&f, body + i, 4);
                        value = f;
                    } else if (bits == 16) {
                        std::int16_t s;
                        std::memcpy(&s, body + i, 2);
                        value = s / 32768.0;
                    } else if (bits == 8) {
                        value = (static_cast<unsigned char>(body[i]) - 128) / 128.0;
                    }
                    peak = std::max(peak, std::fabs(value));
                }
                peaks.push_back(peak);
            }
            break;
        }
        at += 8 + size + (size & 1);
    }
    return peaks;
}

// Waits (real time) until a sound has played out.
void playOut(SoundId id) {
    for (int i = 0; i < 400 && !soundStopped(id); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

} // namespace

// Run only inside the child process started below, whose OpenAL writes to a WAV file.
TEST(AudioWaveChild, DISABLED_AnExitThenAShot) {
    initAudio();
    finishLoading(); // the device opens as the loading starts
    game.rating.levelObjective = 5;
    Customer happy;
    happy.type = Bachelor;
    happy.appetite = 50;
    happy.fed = 50;
    rateExit(happy); // a satisfied customer leaves: its voice
    ASSERT_FALSE(soundStopped(SoundBachelorHappy));
    playOut(SoundBachelorHappy);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    playSound(SoundFriesShot); // a fries tower fires
    playOut(SoundFriesShot);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    playMusic(MusicMenu); // still streaming when the game ends
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    shutdownAudio(); // closes the device, which finishes the file
    EXPECT_EQ(game.sound.audio, nullptr);
    playSound(SoundClick);
    EXPECT_TRUE(soundStopped(SoundClick));
}

TEST(Audio, AnExitAndAShotAreHeardThroughTheWaveDevice) {
    char folderPattern[] = "/tmp/gobbler-wave-XXXXXX";
    ASSERT_NE(mkdtemp(folderPattern), nullptr);
    const std::string folder = folderPattern;
    const std::string wav = folder + "/out.wav", conf = folder + "/alsoft.conf",
                      errors = folder + "/errors.txt";
    {
        std::ofstream config(conf);
        config << "[wave]\nfile = " << wav << "\n";
    }
    ASSERT_EQ(runChild("AudioWaveChild.DISABLED_AnExitThenAShot",
                       {"ALSOFT_DRIVERS=wave", "ALSOFT_CONF=" + conf}, errors),
              0)
        << "the child's own checks failed";
    EXPECT_EQ(readText(errors).find("AL lib"), std::string::npos) << readText(errors);
    // The closed device finished the file: both sizes in its header are filled in.
    const std::string data = readText(wav);
    std::uint32_t riffSize = 0, dataSize = 0;
    const std::size_t dataChunk = data.find("data");
    ASSERT_GT(data.size(), 44u);
    ASSERT_NE(dataChunk, std::string::npos);
    std::memcpy(&riffSize, data.data() + 4, 4);
    std::memcpy(&dataSize, data.data() + dataChunk + 4, 4);
    EXPECT_EQ(riffSize, data.size() - 8);
    EXPECT_EQ(dataSize, data.size() - dataChunk - 8);

    const std::vector<double> peaks = blockPeaks(wav);
    ASSERT_GT(peaks.size(), 50u) << "the wave device wrote no samples";
    // Two separate bursts of sound (the voice, then the shot) with a silence between them.
    int bursts = 0;
    bool inSound = false;
    int quietBlocks = 0;
    for (double peak : peaks) {
        if (peak > 0.01) {
            if (!inSound)
                bursts += 1;
            inSound = true;
            quietBlocks = 0;
        } else if (inSound && ++quietBlocks >= 20) {
            inSound = false;
        }
    }
    EXPECT_GE(bursts, 2);
    for (const std::string& file : {wav, conf, errors})
        std::remove(file.c_str());
    rmdir(folder.c_str());
}

// Run only inside a child process whose OpenAL has no device at all.
TEST(AudioWaveChild, DISABLED_NoDevice) {
    FrameDriver driver(0.1);
    // The splash moves on when its last bite sound has stopped: with no device, at once.
    EXPECT_TRUE(driver.runUntil([] { return game.shared.screen == Logo; }, 30));
    EXPECT_EQ(game.sound.audio, nullptr) << "no music stream or sound is made";
    playMusic(MusicMenu);
    EXPECT_FALSE(musicPlaying(MusicMenu));
    playSound(SoundVictory);
    EXPECT_TRUE(soundStopped(SoundVictory));
    game.progress.tutorialEnabled = 0;
    driver.startLevel(3);
    game.waveClock.countdown = 0;
    EXPECT_TRUE(driver.runUntil([] { return game.rating.exitedCount >= 1; }, 120))
        << "a silent level still runs";
}

TEST(Audio, WithoutAnyDeviceTheGameRunsSilentlyAndQuietly) {
    const std::string errors = "no-device-errors.txt";
    EXPECT_EQ(runChild("AudioWaveChild.DISABLED_NoDevice", {"ALSOFT_DRIVERS=nosuchdevice"}, errors),
              0);
    // A few lines at most (the window's own), not a report of every audio call.
    const std::string text = readText(errors);
    EXPECT_LT(text.size(), 1000u) << text.substr(0, 1000);
    EXPECT_LE(std::count(text.begin(), text.end(), '\n'), 5);
    std::remove(errors.c_str());
}

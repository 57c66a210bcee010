// The musics and sounds: loaded once at start-up and kept for the whole run.
#include "ground/records.h"
#include "persist/persist.h"
#include "persist/records.h"

#include "assets/assets.h"
#include "ground/game.h"

#include <SFML/Audio/AlResource.hpp>
#include <SFML/System/Err.hpp>

#include <cstdlib>
#include <sstream>

namespace {

struct SoundEntry {
    SoundId id;
    const char* file;
    bool followsSpeed; // pitch follows gameSpeed (x2 button)
    bool effects;      // volume follows effectsVolume
};

// The splash plays these before the other sounds have arrived: read before the first frame.
bool playedBySplash(SoundId id) {
    return id == SoundBite1 || id == SoundBite2 || id == SoundBite3 || id == SoundBachelorHappy ||
           id == SoundIntroLogo;
}

// The sound table, in SoundId order.
constexpr SoundEntry soundTable[] = {
    {SoundClick, "Click Socle et Tour.ogg", true, true},
    {SoundSodaShot, "Tir Soda.ogg", true, true},
    {SoundBurgerThrow, "Projectile Burger Trajet.ogg", true, true},
    {SoundFriesShot, "Tir Frite 4.ogg", true, true},
    {SoundBurgerImpact, "Impact Burger.ogg", true, true},
    {SoundBachelorHappy, "Client Satisfait.ogg", true, true},
    {SoundFamilyHappy, "Père satisfait.ogg", true, true},
    {SoundBigEaterHappy, "Enrober Satisfait.ogg", true, true},
    {SoundBusinessManHappy, "Businessman Satisfait.ogg", true, true},
    {SoundObjectiveReached, "Score Objectif Atteint.ogg", true, true},
    {SoundBelowObjective, "Score en dessous Objectif.ogg", true, true},
    {SoundPathAlert, "Alerte Chemin Ouvert.ogg", true, true},
    {SoundCountdown, "Décompte 2.ogg", false, true},
    {SoundVictory, "Victoire !.ogg", false, true},
    {SoundApplause, "Victoire applaudissement.ogg", false, true},
    {SoundDefeatCrowd, "défaite foule.ogg", false, true},
    {SoundDefeatMusic, "Défaite musique.ogg", false, true},
    {SoundBite1, "Crocs.ogg", false, true},
    {SoundBite2, "Croc 2.ogg", false, true},
    {SoundBite3, "Crocs 3.ogg", false, true},
    {SoundIntroLogo, "Intro Logo.ogg", false, false},
    {SoundRefused, "Refus.ogg", false, true},
};
static_assert(sizeof(soundTable) / sizeof(soundTable[0]) == SoundCount, "one row per sound");

constexpr const char* musicFiles[] = {"Menu Principal.ogg", "Niveau 1.ogg", "Niveau 2.ogg",
                                      "Niveau 3.ogg"};
static_assert(sizeof(musicFiles) / sizeof(musicFiles[0]) == MusicCount, "one file per music");

bool isBite(int sound) {
    return sound == SoundBite1 || sound == SoundBite2 || sound == SoundBite3;
}

// Holds the audio device open: the audio library opens it with its first object and closes it
// with its last.
struct DeviceUse : sf::AlResource {};

AudioBank* bank() {
    return game.sound.audio.get();
}

// A music to play (waited for) or to stop or ask about (one still being opened by the loading
// thread plays not yet: left alone), once opened; null without a device.
MusicStream* openedMusic(MusicId music, bool wait) {
    AudioBank* audio = bank();
    if (!audio || !musicOpened(audio->musics[music], wait))
        return nullptr;
    return &audio->musics[music];
}

// Whatever way the process ends, the musics' streaming threads are stopped and the device is
// closed before the audio library's own statics go: with no audio device those threads keep
// reporting errors to a stream that is gone, and a device left open is never finished.
void releaseAudioAtExit() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    sf::err(); // made first, so it is torn down after the handler below has run
    std::atexit(shutdownAudio);
}

void openAudio() {
    shutdownAudio(); // a bank of an earlier start, if any: nothing may still load into it
    // The audio library reports a device it cannot open on its error stream, and nothing when
    // the device works. Without a device no music or sound is made at all: each would report
    // every call it cannot make, and the musics' streaming threads would do so without end.
    std::ostringstream failure;
    std::streambuf* const errors = sf::err().rdbuf(failure.rdbuf());
    DeviceUse device; // opens it, unless the sounds of an earlier start still hold it
    sf::err().rdbuf(errors);
    if (!failure.str().empty()) {
        game.sound.audio.reset();
        applyVolumes();
        return;
    }
    game.sound.audio = std::make_shared<AudioBank>();
    for (int i = 0; i < MusicCount; ++i) {
        game.sound.audio->musics[i].setLoop(true);
        openMusic(game.sound.audio->musics[i],
                  std::string("../resources/sfx/musiques/") + musicFiles[i]);
    }
    for (const SoundEntry& entry : soundTable) {
        const std::string path = std::string("../resources/sfx/sons/") + entry.file;
        loadSoundBuffer(game.sound.audio->buffers[entry.id], path, playedBySplash(entry.id));
        game.sound.audio->sounds[entry.id].setBuffer(game.sound.audio->buffers[entry.id]);
    }
    applyVolumes();
}

} // namespace

void initAudio() {
    releaseAudioAtExit();
    // As the player left them.
    const Settings& settings = keptSettings();
    game.sound.musicVolume = settings.musicVolume;
    game.sound.effectsVolume = settings.effectsVolume;
    game.sound.muted = settings.muted ? 1 : 0;
    shutdownAudio();
    // Nothing is heard on the first frame: the device, the musics and the sounds come after it.
    beforeLoadingThread(openAudio);
}

void shutdownAudio() {
    // What the loading thread still has for the sounds and musics is forgotten first (a window
    // closed during the splash). Then the musics stop their streaming threads, the sounds let go
    // of their buffers, and the last of them closes the device, which finishes what it was
    // writing.
    if (AudioBank* audio = bank())
        forgetAudioLoading(audio->buffers, SoundCount, audio->musics, MusicCount);
    game.sound.audio.reset();
}

void applyVolumes() {
    if (AudioBank* audio = bank()) {
        // The mute switch silences the level: its musics and the game's sounds, not the menus'.
        const bool muted = game.sound.muted != 0;
        for (int music = 0; music < MusicCount; ++music)
            audio->musics[music].setVolume(muted && music != MusicMenu ? 0.0f
                                                                       : game.sound.musicVolume);
        for (const SoundEntry& entry : soundTable)
            if (entry.effects && !isBite(entry.id))
                audio->sounds[entry.id].setVolume(muted ? 0.0f : game.sound.effectsVolume);
        for (int bite : {SoundBite1, SoundBite2, SoundBite3})
            audio->sounds[bite].setVolume(game.sound.effectsVolume);
    }
    game.sound.endSoundsPlayed = 0;
}

void applySpeedPitch() {
    for (const SoundEntry& entry : soundTable)
        if (entry.followsSpeed)
            setSoundPitch(entry.id, static_cast<float>(game.waveClock.gameSpeed));
}

void playSound(SoundId sound) {
    if (AudioBank* audio = bank()) {
        // The splash plays its first bite before the loading thread may have brought it.
        awaitSoundBuffer(audio->buffers[sound]);
        audio->sounds[sound].play();
    }
}

void playSoundIfStopped(SoundId sound) {
    if (soundStopped(sound))
        playSound(sound);
}

bool soundStopped(SoundId sound) {
    AudioBank* audio = bank();
    return !audio || audio->sounds[sound].getStatus() == sf::Sound::Stopped;
}

void stopSound(SoundId sound) {
    if (AudioBank* audio = bank())
        audio->sounds[sound].stop();
}

void playMusic(MusicId music) {
    if (MusicStream* stream = openedMusic(music, true))
        stream->play();
}

void stopMusic(MusicId music) {
    if (MusicStream* stream = openedMusic(music, false))
        stream->stop();
}

bool musicPlaying(MusicId music) {
    MusicStream* stream = openedMusic(music, false);
    return stream && stream->getStatus() == sf::SoundStream::Playing;
}

void stopLevelMusicsOffLevel() {
    if (game.shared.screen == InGame || game.shared.screen == GameMenu ||
        game.shared.screen == GameOptions)
        return;
    for (MusicId music : {MusicLevel1, MusicLevel2, MusicLevel3}) {
        if (musicPlaying(music)) {
            stopMusic(music);
            return;
        }
    }
}

void setSoundPitch(SoundId sound, float pitch) {
    if (AudioBank* audio = bank())
        audio->sounds[sound].setPitch(pitch);
}

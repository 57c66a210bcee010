// Persistence and audio: the save file, the settings file, the musics and sounds.
#pragma once

#include <string>

// Every short sound of the game, in the order of the audio table.
enum SoundId : int {
    SoundClick,
    SoundSodaShot,
    SoundBurgerThrow,
    SoundFriesShot,
    SoundBurgerImpact,
    SoundBachelorHappy,
    SoundFamilyHappy,
    SoundBigEaterHappy,
    SoundBusinessManHappy,
    SoundObjectiveReached,
    SoundBelowObjective,
    SoundPathAlert,
    SoundCountdown,
    SoundVictory,
    SoundApplause,
    SoundDefeatCrowd,
    SoundDefeatMusic,
    SoundBite1,
    SoundBite2,
    SoundBite3,
    SoundIntroLogo,
    SoundRefused, // a price the till cannot pay
    SoundCount
};

enum MusicId : int { MusicMenu, MusicLevel1, MusicLevel2, MusicLevel3, MusicCount };

// Writes the progress to the save file (atomically, through a temporary file of its own); never
// over a save that could not be read. A write that fails marks the progress as failing to save.
void writeSave();
// Reads the progress from the save file (missing or damaged fields keep their defaults),
// after removing the temporary files that a copy killed while saving left beside it. A save
// that is there but cannot be read is kept unread, and a folder that cannot be written noted.
void readSave();
// Resets every progress field and writes the fresh file (a save kept unread stays as it is).
void deleteSave();
// Adds newly earned stars to the balance.
void creditStars();
// A star count plus a change, held at the int range: a hand-edited save may hold any count.
int addStars(int stars, long long change);
// The save file's text for the current progress.
std::string formatSave();
// Takes the fields of a save file's text as the C library's scan reads them: the leading
// sixteen up to the first unreadable one, then each upgrade entry on its own.
void parseSave(const std::string& text);

// What the player chose, kept between runs in the settings file beside the save: the window, the
// language, the volumes and the mute switch. The save file keeps only the progress.
struct Settings {
    bool fullscreen = false;
    unsigned width = 0, height = 0; // the window's size when not fullscreen; 0: none yet
    std::string language;           // "": none chosen yet (the desktop's is spoken)
    float musicVolume = 50, effectsVolume = 50; // 0..100
    bool muted = false;
};
// Each line a name and its value; a line that cannot be read leaves its setting at the default.
Settings readSettings(const std::string& text);
std::string formatSettings(const Settings& settings);
// Reads the settings file as start-up does (the defaults unless it is a small regular file,
// after removing what a copy killed while writing it left beside it): the settings in force.
const Settings& loadSettings();
const Settings& keptSettings();
// Makes these the settings in force, and writes them when the file holds something else.
void keepSettings(const Settings& settings);
// Keeps the volumes and the mute switch as they stand, once no press holds a slider.
void keepSoundSettings();

// Opens the musics and sounds at the volumes and mute kept in the settings; with no audio device,
// none is made and every play, stop and status call below does nothing.
void initAudio();
// Releases the musics and sounds, then the audio device (at the end of the game).
void shutdownAudio();
// Applies the two volumes and the mute switch, and clears the end-sound flag.
void applyVolumes();
// Gives every speed-following sound the pitch gameSpeed (the x2 button).
void applySpeedPitch();
void playSound(SoundId sound);
// Plays a sound only when it is neither playing nor paused.
void playSoundIfStopped(SoundId sound);
bool soundStopped(SoundId sound);
void stopSound(SoundId sound);
void playMusic(MusicId music);
void stopMusic(MusicId music);
bool musicPlaying(MusicId music);
// Stops the level musics while no level screen is shown.
void stopLevelMusicsOffLevel();
// Sets a sound's pitch (x2).
void setSoundPitch(SoundId sound, float pitch);

// Persistence and audio: the save file, the musics and sounds.
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

// Opens the musics and sounds and sets the default volumes; with no audio device, none is
// made and every play, stop and status call below does nothing.
void initAudio();
// Releases the musics and sounds, then the audio device (at the end of the game).
void shutdownAudio();
// Applies the two volumes (unless muted) and clears the end-sound flag.
void applyVolumes();
// Gives every speed-following sound the pitch gameSpeed (the x2 button).
void applySpeedPitch();
// Silences the level musics and every game sound but the start-up ones (mute button).
void muteGameAudio();
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

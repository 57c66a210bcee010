// The live rating, exit payments and the level's end.
#include "rating/rating.h"
#include "ground/records.h"
#include "persist/records.h"
#include "rating/records.h"

#include "ground/game.h"
#include "persist/persist.h"

#include <algorithm>

namespace {

// The satisfied voice of each customer type, in CustomerType order.
constexpr SoundId satisfiedSounds[CustomerTypeCount] = {SoundBachelorHappy, SoundFamilyHappy,
                                                        SoundBigEaterHappy, SoundBusinessManHappy};

MusicId levelMusic() {
    const int level = progressLevel();
    return level == 1 ? MusicLevel1 : level == 2 ? MusicLevel2 : MusicLevel3;
}

} // namespace

int progressLevel() {
    return game.shared.currentLevel <= 1 ? 1 : std::min(game.shared.currentLevel, 3);
}

double ratingChange(int fed, int appetite) {
    const int f = std::min(fed, appetite);
    const int a = appetite;
    if (f <= a * 20 / 100)
        return -0.4;
    if (f <= a * 40 / 100)
        return -0.3;
    if (f <= a * 60 / 100)
        return 0.0;
    if (f <= a * 80 / 100)
        return 0.3;
    return 0.5;
}

int exitPayment(int fed, int appetite, int reward) {
    const int f = std::min(fed, appetite);
    if (f <= 0)
        return appetite <= 0 ? reward : 0;
    if (f >= appetite)
        return reward;
    const int percent = static_cast<int>(static_cast<long long>(f) * 100 / appetite);
    // Fed to less than one percent: there is no whole fraction to pay, so nothing is paid.
    if (percent <= 0)
        return 0;
    return reward / (100 / percent);
}

int ratingBand(float rating) {
    for (int k = 0; k <= 10; ++k)
        if (static_cast<float>(k) <= rating && rating < static_cast<float>(k + 1))
            return k;
    return -1;
}

int starsForRating(float rating) {
    const int band = ratingBand(rating);
    if (band >= 0)
        return band / 2;
    return rating >= 11.0f ? 5 : 0;
}

int starFrame(float value) {
    int frame = 0;
    for (int k = 1; k <= 10; ++k)
        if (value >= static_cast<float>(k))
            frame = k;
    return frame;
}

void rateExit(Customer& customer) {
    const double change = ratingChange(customer.fed, customer.appetite);
    const float before = game.rating.RatingScore;
    const float after = static_cast<float>(static_cast<double>(before) + change);
    game.rating.RatingScore = after;
    const float objective = game.rating.levelObjective;
    if (change <= 0.0) {
        if (before >= objective && after < objective)
            playSound(SoundBelowObjective);
        return;
    }
    if (before < objective && after >= objective)
        playSound(SoundObjectiveReached);
    if (customer.type >= 0 && customer.type < CustomerTypeCount)
        playSoundIfStopped(satisfiedSounds[customer.type]);
}

void settleExit(const Customer& leaving) {
    game.rating.exitedCount += 1;
    game.rating.money += exitPayment(leaving.fed, leaving.appetite, leaving.reward);
    writeReview(leaving);
}

void checkLevelEnd() {
    const int level = progressLevel();
    const float rating = game.rating.RatingScore;
    if (rating >= game.rating.levelObjective) {
        game.rating.levelWon = 1;
        if (level == 1 || level == 2)
            game.progress.levelCleared[level] = 1;
        if (ratingBand(rating) >= 0 && rating > game.progress.bestRating[level]) {
            game.progress.bestRating[level] = rating;
            game.progress.starsEarned[level] = starsForRating(rating);
            writeSave();
        }
        if (rating == 10.0f && game.sound.endSoundsPlayed == 0)
            playSound(SoundApplause);
        stopMusic(levelMusic());
        if (game.sound.endSoundsPlayed == 0) {
            playSound(SoundVictory);
            game.sound.endSoundsPlayed = 1;
        }
    } else if (game.rating.levelObjective > rating) {
        game.rating.levelLost = 1;
        stopMusic(levelMusic());
        if (game.sound.endSoundsPlayed == 0) {
            game.sound.endSoundsPlayed = 1;
            playSound(SoundDefeatCrowd);
            playSound(SoundDefeatMusic);
        }
    }
}

void clampRating() {
    if (game.rating.RatingScore <= 0.0f)
        game.rating.RatingScore = 0.0f;
    else if (game.rating.RatingScore >= 10.0f)
        game.rating.RatingScore = 10.0f;
}

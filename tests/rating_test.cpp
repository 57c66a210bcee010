// The live rating, payments, the level's end, best ratings and stars, and the reviews.
#include "assets/assets.h"
#include "customers/customers.h"
#include "customers/records.h"
#include "ground/game.h"
#include "ground/records.h"
#include "level/records.h"
#include "persist/persist.h"
#include "persist/records.h"
#include "rating/rating.h"
#include "rating/records.h"
#include "support/frame_driver.h"
#include "support/sandbox.h"
#include "towers/records.h"
#include "tutorial/records.h"
#include "ui/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <utility>

namespace {

bool playing(SoundId sound) {
    return !soundStopped(sound);
}

void silenceAll() {
    for (int sound = 0; sound < SoundCount; ++sound)
        stopSound(static_cast<SoundId>(sound));
}

Customer& leavingCustomer(int type, int fed) {
    Customer& customer = spawnCustomer(type, DownRight, 0, 500, 500);
    customer.fed = fed;
    customer.hasExited = 1;
    return customer;
}

// The level screen, mid-level, with the given rating and objective.
void onLevel(int level, float rating, float objective) {
    game.shared.screen = InGame;
    game.shared.currentLevel = level;
    game.rating.RatingScore = rating;
    game.rating.levelObjective = objective;
    game.waveClock.countdown = -5;
    game.waveClock.countdownDone = 1;
}

} // namespace

// Each edge, at 20, 40, 60 and 80 % of the appetite (integer percent), still belongs to the
// band below it; one more food point is the band above. At appetite 30: 6, 12, 18, 24.
TEST(Rating, BandsAtTheirEdgesForEveryAppetite) {
    const double changes[] = {-0.4, -0.3, 0.0, 0.3, 0.5};
    for (int appetite : {30, 50, 70, 150}) {
        EXPECT_DOUBLE_EQ(ratingChange(0, appetite), -0.4);
        for (int band = 1; band <= 4; ++band) {
            const int edge = appetite * 20 * band / 100;
            EXPECT_DOUBLE_EQ(ratingChange(edge, appetite), changes[band - 1]) << edge;
            EXPECT_DOUBLE_EQ(ratingChange(edge + 1, appetite), changes[band]) << edge + 1;
        }
        EXPECT_DOUBLE_EQ(ratingChange(appetite + 15, appetite), 0.5) << "beyond full is full";
    }
}

TEST(Rating, PaymentsByWholeFractionsOfTheReward) {
    // Appetite 100, reward 60: 51..99 % pays it all, 34..50 % half, 26..33 % a third.
    for (int fed : {51, 75, 99, 100, 130})
        EXPECT_EQ(exitPayment(fed, 100, 60), 60) << fed;
    for (int fed : {34, 50})
        EXPECT_EQ(exitPayment(fed, 100, 60), 30) << fed;
    for (int fed : {26, 33})
        EXPECT_EQ(exitPayment(fed, 100, 60), 20) << fed;
    EXPECT_EQ(exitPayment(21, 100, 60), 15);
    EXPECT_EQ(exitPayment(0, 100, 60), 0);
    // Fed to less than one percent of a big appetite: nothing, and no division by zero.
    EXPECT_EQ(exitPayment(1, 150, 60), 0);
    EXPECT_EQ(exitPayment(0, 0, 60), 60) << "no appetite at all counts as full";
}

TEST(Rating, StarsAndFramesAtTheirEdges) {
    // Every edge between 0 and 5 stars, from both sides, as the player is given them: a first
    // win with that rating, "Continuer", and the balance the level selection shows.
    const std::pair<float, const char*> edges[] = {
        {1.99f, "0"}, {2.0f, "1"},  {3.99f, "1"}, {4.0f, "2"},  {5.99f, "2"},
        {6.0f, "3"},  {7.99f, "3"}, {8.0f, "4"},  {9.99f, "4"}, {10.0f, "5"},
    };
    for (const auto& [rating, balance] : edges) {
        std::remove(sandboxSavePath().c_str());
        FrameDriver driver;
        onLevel(2, rating, 0.0f);
        checkLevelEnd();
        driver.click(1414 + 165, 555 + 52);
        ASSERT_EQ(game.shared.screen, LevelSelect);
        EXPECT_EQ(game.menus.starBalanceText.getString().toAnsiString(), balance) << rating;
    }
    std::remove(sandboxSavePath().c_str());
    EXPECT_EQ(starFrame(0.99f), 0);
    EXPECT_EQ(starFrame(1.0f), 1);
    EXPECT_EQ(starFrame(7.9f), 7);
    EXPECT_EQ(starFrame(8.0f), 8);
    EXPECT_EQ(starFrame(10.0f), 10);
    EXPECT_EQ(starFrame(12.0f), 10);
}

TEST(Rating, ExitMovesTheScoreInDoubleAndSoundsOnlyAtTheCrossing) {
    FrameDriver driver;
    onLevel(1, 4.8f, 5.0f);
    silenceAll();
    rateExit(leavingCustomer(Bachelor, 40)); // 40 of 50: +0.3
    EXPECT_EQ(game.rating.RatingScore, static_cast<float>(static_cast<double>(4.8f) + 0.3));
    EXPECT_TRUE(playing(SoundObjectiveReached));
    EXPECT_TRUE(playing(SoundBachelorHappy));
    EXPECT_FALSE(playing(SoundBelowObjective));

    silenceAll();
    rateExit(leavingCustomer(Family, 70)); // +0.5, already above: only the voice
    EXPECT_FALSE(playing(SoundObjectiveReached));
    EXPECT_TRUE(playing(SoundFamilyHappy));

    silenceAll();
    game.rating.RatingScore = 5.3f;
    rateExit(leavingCustomer(BigEater, 0)); // -0.4 gives 4.9: falls below
    EXPECT_TRUE(playing(SoundBelowObjective));
    silenceAll();
    rateExit(leavingCustomer(BigEater, 0)); // still below: silent
    EXPECT_FALSE(playing(SoundBelowObjective));
    EXPECT_FALSE(playing(SoundBigEaterHappy));
}

TEST(Rating, SettleExitPaysReviewsAndForgetsTheCustomer) {
    FrameDriver driver;
    onLevel(1, 3.0f, 5.0f);
    game.rating.money = 100;
    Customer& customer = leavingCustomer(BusinessMan, 30);
    Customer& other = spawnCustomer(Bachelor, DownRight, 0, 10, 10);
    game.defence.firstTarget = game.crowd.featuredCustomer = &customer;
    auto leaving = std::next(game.crowd.customers.begin()); // the newest is first
    settleExit(*leaving);
    auto next = removeCustomer(leaving);
    EXPECT_EQ(next, game.crowd.customers.end());
    EXPECT_EQ(game.crowd.customers.size(), 1u);
    EXPECT_EQ(&game.crowd.customers.front(), &other);
    EXPECT_EQ(game.rating.exitedCount, 1);
    EXPECT_EQ(game.rating.money, 120);
    EXPECT_FALSE(game.reviews.currentReview.empty());
    EXPECT_EQ(game.defence.firstTarget, nullptr);
    EXPECT_EQ(game.crowd.featuredCustomer, nullptr);
    EXPECT_EQ(game.reviews.currentStarsRect, sf::IntRect(538 * 10, 0, 538, 91));
}

TEST(Rating, LevelEndsExactlyAtTheObjective) {
    {
        FrameDriver driver;
        onLevel(2, 5.0f, 5.0f);
        checkLevelEnd();
        EXPECT_EQ(game.rating.levelWon, 1);
        EXPECT_EQ(game.rating.levelLost, 0);
        EXPECT_EQ(game.progress.levelCleared[2], 1);
        EXPECT_TRUE(playing(SoundVictory));
    }
    {
        FrameDriver driver;
        onLevel(2, 4.999f, 5.0f);
        silenceAll();
        checkLevelEnd();
        EXPECT_EQ(game.rating.levelWon, 0);
        EXPECT_EQ(game.rating.levelLost, 1);
        EXPECT_TRUE(playing(SoundDefeatCrowd));
        EXPECT_TRUE(playing(SoundDefeatMusic));
        silenceAll();
        checkLevelEnd(); // repeats every frame, the sounds do not
        EXPECT_FALSE(playing(SoundDefeatCrowd));
    }
}

TEST(Rating, FirstWinWritesTheSaveAndTheNextFrameCreditsStars) {
    std::remove(sandboxSavePath().c_str());
    FrameDriver driver;
    onLevel(1, 7.5f, 5.0f);
    checkLevelEnd();
    EXPECT_EQ(game.progress.bestRating[1], 7.5f);
    EXPECT_EQ(game.progress.starsEarned[1], 3);
    EXPECT_EQ(readFile(sandboxSavePath()),
              "0 7.500000 0.000000 0.000000 1 0 0 0 0 0 1 0 0 0 3 0 1 0 0 1 0 0 1 0 0 ");
    driver.frame();
    EXPECT_EQ(game.lesson.supplierTutorialPending, 1) << "the shop lesson follows the first win";
    game.shared.screen = LevelSelect; // stars are credited on every screen
    driver.frame();
    EXPECT_EQ(game.progress.stars, 3);
    EXPECT_EQ(game.progress.starsCredited[1], 3);

    // A better win adds only the difference.
    game.rating.levelWon = 0;
    game.rating.RatingScore = 9.2f;
    game.sound.endSoundsPlayed = 0;
    checkLevelEnd();
    EXPECT_EQ(game.progress.starsEarned[1], 4);
    driver.frame();
    EXPECT_EQ(game.progress.stars, 4);

    // A lower win writes nothing.
    std::remove(sandboxSavePath().c_str());
    game.rating.RatingScore = 6.0f;
    checkLevelEnd();
    EXPECT_EQ(game.progress.bestRating[1], 9.2f);
    EXPECT_EQ(game.progress.starsEarned[1], 4);
    EXPECT_EQ(readFile(sandboxSavePath()), "");
}

TEST(Rating, NearlyPerfectGivesFourStarsAndPerfectFiveWithApplause) {
    std::remove(sandboxSavePath().c_str());
    {
        FrameDriver driver;
        onLevel(3, 9.99f, 8.0f);
        silenceAll();
        checkLevelEnd();
        EXPECT_EQ(game.progress.starsEarned[3], 4);
        EXPECT_FALSE(playing(SoundApplause));
        EXPECT_EQ(game.progress.levelCleared[3], 0) << "level 3 is marked cleared elsewhere";
    }
    {
        FrameDriver driver;
        onLevel(3, 10.0f, 8.0f);
        silenceAll();
        checkLevelEnd();
        EXPECT_EQ(game.progress.starsEarned[3], 5);
        EXPECT_TRUE(playing(SoundApplause));
    }
    {
        // Pushed above 10 by the last customer: 5 stars, but no applause.
        FrameDriver driver;
        onLevel(3, 10.3f, 8.0f);
        silenceAll();
        checkLevelEnd();
        EXPECT_EQ(game.progress.starsEarned[3], 5);
        EXPECT_FALSE(playing(SoundApplause));
        clampRating();
        EXPECT_EQ(game.rating.RatingScore, 10.0f);
    }
    std::remove(sandboxSavePath().c_str());
}

TEST(Reviews, BandsStarsAndFacesOfTheLivePanel) {
    FrameDriver driver;
    onLevel(1, 0, 5);
    const sf::Texture* blank = loadTexture("../resources/textures/hud/void.png");
    resetReviews();
    EXPECT_TRUE(game.reviews.currentReview.empty());
    EXPECT_TRUE(game.reviews.previousReview.empty());
    EXPECT_EQ(game.reviews.currentFace.getTexture(), blank);
    EXPECT_EQ(game.reviews.currentStarsVisible + game.reviews.previousStarsVisible, 0);

    const std::set<std::string> bachelorBad = {
        "J'avais encore faim\nen sortant.", "Ça manque de boisson\nforte !",
        "Je n'ai eu que des frites,\n c'est normal ?", "J'ai été mieux servi au\nFood Rush."};
    const std::set<std::string> bachelorMedium = {
        "Pas mal, mais le\nCrousty'Croc proposait des\nfrites plus croustillantes.",
        "Des choses à améliorer\nmais je reviendrai.",
        "Ça manque de gente\nféminine,heureusement\nqu'on y vient pour manger."};
    const std::set<std::string> bachelorGood = {
        "Pas mauvais !\nTrès bon service !", "C'était vraiment...\n'Snack' !",
        "Je repasserai demain !", "Bonne ambiance et\nservice irréprochable."};

    Customer customer;
    customer.type = Bachelor;
    customer.appetite = 30;
    customer.fed = 12;
    writeReview(customer);
    EXPECT_EQ(bachelorBad.count(game.reviews.currentReview), 1u) << game.reviews.currentReview;
    EXPECT_EQ(game.reviews.currentStarsRect, sf::IntRect(538 * 4, 0, 538, 91));
    EXPECT_EQ(game.reviews.currentFace.getTexture(), game.reviews.faceTextures[Bachelor]);
    EXPECT_EQ(game.reviews.currentStarsVisible, 1);
    EXPECT_EQ(game.reviews.previousStarsVisible, 0);

    customer.fed = 13;
    writeReview(customer);
    EXPECT_EQ(bachelorMedium.count(game.reviews.currentReview), 1u) << game.reviews.currentReview;
    EXPECT_EQ(bachelorBad.count(game.reviews.previousReview), 1u);
    EXPECT_EQ(game.reviews.previousStarsRect, sf::IntRect(538 * 4, 0, 538, 91));
    EXPECT_EQ(game.reviews.previousStarsVisible, 1);

    customer.fed = 19;
    writeReview(customer);
    EXPECT_EQ(bachelorGood.count(game.reviews.currentReview), 1u);
    customer.type = Family;
    customer.fed = 30;
    writeReview(customer);
    EXPECT_EQ(game.reviews.currentStarsRect, sf::IntRect(538 * 10, 0, 538, 91));
    EXPECT_EQ(game.reviews.currentFace.getTexture(), game.reviews.faceTextures[Family]);
    EXPECT_EQ(game.reviews.previousFace.getTexture(), game.reviews.faceTextures[Bachelor]);

    // The panel objects take the strings during the update.
    driver.frame();
    EXPECT_EQ(game.reviews.currentReviewText.getString(), utf8(game.reviews.currentReview));
}

namespace {

// Every text a customer of that type writes when fed so, over many exits.
std::set<std::string> reviewsFor(int type, int fed, int appetite, int exits) {
    Customer customer;
    customer.type = type;
    customer.appetite = appetite;
    customer.fed = fed;
    std::set<std::string> texts;
    for (int i = 0; i < exits; ++i) {
        writeReview(customer);
        texts.insert(game.reviews.currentReview);
    }
    return texts;
}

} // namespace

// Exactly 40 % of the appetite is still a bad review and exactly 60 % still a medium one,
// for every type's appetite; the half-stars are whole tenths of the appetite, cut down.
TEST(Reviews, BandEdgesAtFortyAndSixtyPercentOfEveryAppetite) {
    FrameDriver driver;
    onLevel(1, 0, 5);
    const int appetites[CustomerTypeCount] = {50, 70, 150, 30};
    for (int type = 0; type < CustomerTypeCount; ++type) {
        const int a = appetites[type];
        EXPECT_EQ(game.crowd.customerTypes[type].appetite, a);
        // The texts of each band, from customers well inside it.
        const std::set<std::string> bad = reviewsFor(type, 0, a, 40),
                                    medium = reviewsFor(type, a / 2, a, 40),
                                    good = reviewsFor(type, a, a, 40);
        ASSERT_EQ(bad.size() + medium.size() + good.size(), 11u) << "type " << type;
        struct Edge {
            int fed;
            const std::set<std::string>& band;
            int halfStars;
        };
        const int at40 = a * 40 / 100, at60 = a * 60 / 100;
        for (const Edge& edge :
             {Edge{at40, bad, 4}, Edge{at40 + 1, medium, 4}, Edge{at60 - 1, medium, 5},
              Edge{at60, medium, 6}, Edge{at60 + 1, good, 6}}) {
            const std::set<std::string> texts = reviewsFor(type, edge.fed, a, 6);
            EXPECT_TRUE(
                std::includes(edge.band.begin(), edge.band.end(), texts.begin(), texts.end()))
                << "type " << type << " fed " << edge.fed << " of " << a;
            EXPECT_EQ(game.reviews.currentStarsRect, sf::IntRect(538 * edge.halfStars, 0, 538, 91))
                << "type " << type << " fed " << edge.fed << " of " << a;
        }
    }
}

TEST(Reviews, TwoSuccessiveReviewsNeverRepeat) {
    FrameDriver driver;
    onLevel(1, 0, 5);
    Customer hungry;
    hungry.type = Family;
    hungry.appetite = 70;
    hungry.fed = 0;
    std::set<std::string> seen;
    for (int i = 0; i < 300; ++i) {
        writeReview(hungry);
        ASSERT_NE(game.reviews.currentReview, game.reviews.previousReview)
            << "after " << i << " reviews";
        seen.insert(game.reviews.currentReview);
    }
    EXPECT_EQ(seen.size(), 4u) << "every bad Family text comes up";
}

TEST(Reviews, EndReviewsFollowTheFinalScore) {
    struct Case {
        float rating;
        int lowFrame, highFrame;
    };
    for (const Case& c : {Case{0.0f, 0, 0}, Case{3.0f, 0, 3}, Case{6.0f, 4, 5}, Case{6.1f, 6, 9},
                          Case{10.0f, 6, 9}}) {
        for (int round = 0; round < 3; ++round) {
            FrameDriver driver;
            onLevel(1, c.rating, 5);
            game.rating.levelLost = 1;
            game.shared.screen = LevelSelect; // the end reviews are chosen on any screen
            driver.frame();
            EXPECT_EQ(game.reviews.endReviewsChosen, 1);
            for (int row = 0; row < 4; ++row) {
                const int frame = game.reviews.endStars[row].getTextureRect().left / 538;
                EXPECT_GE(frame, c.lowFrame) << c.rating;
                EXPECT_LE(frame, c.highFrame) << c.rating;
                EXPECT_FALSE(game.reviews.endTexts[row].getString().isEmpty());
            }
        }
    }
    // At exactly 6.0 the texts are the medium ones.
    FrameDriver driver;
    onLevel(1, 6.0f, 5);
    game.rating.levelWon = 1;
    game.shared.screen = LevelSelect;
    driver.frame();
    const std::set<std::string> businessMedium = {
        "Il y a un potentiel\n à exploiter.",
        "La boisson est un peu\nsalissante... mais bien\npétillante!",
        "Je suis arrivé vraiment\njuste-juste à\nmon rendez-vous !"};
    const std::string text = game.reviews.endTexts[BusinessMan].getString().toAnsiString();
    bool found = false;
    for (const std::string& medium : businessMedium)
        found = found || game.reviews.endTexts[BusinessMan].getString() == utf8(medium);
    EXPECT_TRUE(found) << text;
    // Chosen once per level end.
    const sf::String chosen = game.reviews.endTexts[0].getString();
    game.rating.RatingScore = 1.0f;
    driver.frames(3);
    EXPECT_EQ(game.reviews.endTexts[0].getString(), chosen);
}

namespace {

// Plays a whole level at double speed, skipping every countdown; `feed` decides how full
// each customer leaves. Returns false if the level did not end in the time given.
template <class Feed> bool playLevel(FrameDriver& driver, int level, Feed feed) {
    game.progress.tutorialEnabled = 0;
    driver.startLevel(level);
    driver.frame();
    driver.platform.key2 = true; // double speed for the whole game
    return driver.runUntil(
        [&] {
            if (game.waveClock.countdown > 0)
                game.waveClock.countdown = 0;
            for (Customer& customer : game.crowd.customers)
                customer.fed = feed(customer);
            return game.rating.levelWon == 1 || game.rating.levelLost == 1;
        },
        900);
}

} // namespace

TEST(Rating, WholeLevelsEndInVictoryOrDefeatWithTheirReviewsAndSave) {
    std::remove(sandboxSavePath().c_str());
    {
        // Everyone leaves well fed: the third map is won, saved, and its stars credited.
        FrameDriver driver(0.1);
        ASSERT_TRUE(playLevel(driver, 3, [](const Customer& c) { return c.appetite; }));
        EXPECT_EQ(game.rating.levelWon, 1);
        EXPECT_EQ(game.waves.wave, 7);
        EXPECT_GE(game.rating.RatingScore, 8.0f);
        // The last exit may push the score past 10 before the clamp: it counts as it is.
        EXPECT_GE(game.progress.bestRating[3], game.rating.RatingScore);
        EXPECT_EQ(game.progress.starsEarned[3], 5);
        EXPECT_EQ(readFile(sandboxSavePath()), formatSave());
        driver.frame();
        EXPECT_EQ(game.reviews.endReviewsChosen, 1);
        EXPECT_EQ(game.progress.stars, game.progress.starsEarned[3]);
        EXPECT_FALSE(musicPlaying(MusicLevel3));
        EXPECT_EQ(game.hud.ratingStars.getPosition(), sf::Vector2f(1475, 400)) << "end overlay";
        driver.platform.key2 = false;
        driver.click(1414 + 100, 555 + 50);
        EXPECT_EQ(game.shared.screen, LevelSelect);
        EXPECT_TRUE(game.crowd.customers.empty());
    }
    std::remove(sandboxSavePath().c_str());
    {
        // Nobody is fed on the second map: lost, nothing saved.
        FrameDriver driver(0.1);
        ASSERT_TRUE(playLevel(driver, 2, [](const Customer&) { return 0; }));
        EXPECT_EQ(game.rating.levelLost, 1);
        EXPECT_EQ(game.waves.wave, 7);
        EXPECT_EQ(game.rating.RatingScore, 0.0f);
        EXPECT_EQ(readFile(sandboxSavePath()), "");
        driver.frame();
        EXPECT_EQ(game.reviews.endReviewsChosen, 1);
        EXPECT_EQ(game.reviews.endStars[0].getTextureRect(), sf::IntRect(0, 0, 538, 91));
    }
}

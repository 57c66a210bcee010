// The scripted player plays whole levels through real frames, buying through real presses:
// what loses, what wins, and that the frame rate does not decide which.
#include "ground/game.h"
#include "support/bot.h"
#include "support/plans.h"
#include "tutorial/records.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Waves and customers of each map, from its wave scripts.
constexpr int waveCounts[4] = {5, 5, 7, 7};
constexpr int customerCounts[4] = {39, 39, 57, 75};

// A report that tells the whole level: every wave over, every customer counted once.
void expectWholeLevel(const BuildPlan& plan, const PlayReport& report) {
    SCOPED_TRACE(plan.name);
    EXPECT_TRUE(report.ended) << "level " << plan.level << " ends";
    EXPECT_EQ(report.ordersFailed, 0);
    EXPECT_EQ(report.ordersDone, plan.orderCount);
    ASSERT_EQ(static_cast<int>(report.waves.size()), waveCounts[plan.level]);
    int customers = 0;
    for (const WaveReport& wave : report.waves) {
        EXPECT_LE(wave.full, wave.customers);
        customers += wave.customers;
    }
    EXPECT_EQ(customers, customerCounts[plan.level]);
    EXPECT_FLOAT_EQ(report.waves.back().rating, report.rating);
}

} // namespace

TEST(Bot, EveryLevelIsLostWithoutTowersAndWonWithItsPlan) {
    for (const BuildPlan& plan : plans::withoutTowers) {
        const PlayReport report = playLevel(plan);
        expectWholeLevel(plan, report);
        EXPECT_FALSE(report.won) << "level " << plan.level << ", " << plan.name;
        EXPECT_EQ(report.stars, 0);
    }
    for (const BuildPlan& plan : plans::winning) {
        const PlayReport report = playLevel(plan);
        expectWholeLevel(plan, report);
        EXPECT_TRUE(report.won) << "level " << plan.level << ", " << plan.name;
        if (plan.level != 0) {
            EXPECT_GE(report.stars, 4) << "level " << plan.level << ": the plans fill the room";
        }
    }
}

TEST(Bot, APlanWinsAndEndsWithinHalfAStarAtTwentyThirtySixtyAndAHundredFortyFourFramesASecond) {
    for (const BuildPlan& plan : plans::winning) {
        float lowest = 10, highest = 0;
        for (const double fps : {20.0, 30.0, 60.0, 144.0}) {
            const PlayReport report = playLevel(plan, fps);
            EXPECT_TRUE(report.won) << plan.name << " at " << fps << " frames a second";
            lowest = std::min(lowest, report.rating);
            highest = std::max(highest, report.rating);
        }
        // Half a star is one point of rating. The lesson's few towers leave many customers on
        // the edge of a band, and a few milliseconds more or less move some across: its rating
        // spreads by up to two points at any frame rate (59 against 61 frames a second as much
        // as 20 against 144); it only has to win at each.
        if (plan.level != 0) {
            EXPECT_LE(highest - lowest, 1.0f) << plan.name;
        }
    }
}

TEST(Bot, TheLessonPlaysToItsEndWithAGamepadAlone) {
    const BuildPlan& lesson = plans::winning[0];
    const PlayReport report = playLevel(lesson, 60, 1, 0, Hands::Pad);
    expectWholeLevel(lesson, report);
    EXPECT_TRUE(report.won);
    EXPECT_EQ(report.padMisses, 0) << "the stick brought the pointer to every press";
    EXPECT_GE(game.lesson.tutorialStep, LessonStepCount - 1) << "every step of the lesson";
}

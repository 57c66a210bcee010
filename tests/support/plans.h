// The build plans the scripted player plays: for each level, one without towers and one that
// wins it.
#pragma once

#include "ground/records.h"
#include "support/bot.h"

namespace plans {

// ---- the first map. The lesson builds Fries on (1376, 680), Soda on (1202.5, 580) and a
// Burger on (860.5, 379.5) before the second wave, Burgers on (946, 930) in the third and on
// (1032, 680) in the fourth; sold, nothing feeds the room.
constexpr BuildOrder lessonSold[] = {
    {2, 1376, 680, Fries, 0}, {2, 1202.5f, 580, Soda, 0}, {2, 860.5f, 379.5f, Burger, 0},
    {4, 946, 930, Burger, 0}, {5, 1032, 680, Burger, 0},
};
// Two sodas slow the first waves for one burger; a burger a wave then, the turning pedestal's
// soda traded for one.
constexpr BuildOrder map1[] = {
    {1, 1376, 680, Burger, 1}, {1, 1202.5f, 580, Soda, 1}, {1, 860.5f, 379.5f, Soda, 1},
    {2, 946, 930, Burger, 1},  {3, 1032, 680, Burger, 1},  {4, 1202.5f, 580, Burger, 1},
    {5, 1032, 280, Burger, 1},
};

// ---- map 2: burgers along the long way and at the exit, fries at the far turn; three more
// burgers from the second wave on.
constexpr BuildOrder map2[] = {
    {1, 990, 690, Burger, 1},  {1, 817, 780, Burger, 1}, {1, 1247, 830, Burger, 1},
    {1, 473, 780, Burger, 1},  {1, 644, 680, Burger, 1}, {1, 301, 480, Fries, 1},
    {2, 1075, 430, Burger, 1}, {2, 731, 230, Burger, 1}, {2, 1075, 230, Burger, 1},
};

// ---- map 3: burgers where the two ways meet and near the exit, fries and a soda between.
constexpr BuildOrder map3[] = {
    {1, 1315, 980, Burger, 1}, {1, 1229, 730, Burger, 1}, {1, 886, 730, Fries, 1},
    {1, 282, 580, Burger, 1},  {1, 713, 630, Burger, 1},  {1, 1056, 630, Soda, 1},
    {1, 1057, 830, Burger, 1},
};

// Lost: nothing feeds the room (on the tutorial level, the lesson's towers sold as soon as
// the lesson lets the player choose).
constexpr BuildPlan withoutTowers[] = {
    buildPlan("the lesson, towers sold", 0, lessonSold),
    noTowers("no tower", 1),
    noTowers("no tower", 2),
    noTowers("no tower", 3),
};
// Won, at any frame rate; on the tutorial level by doing what the lesson says, and no more.
constexpr BuildPlan winning[] = {
    noTowers("the lesson", 0),
    buildPlan("sodas then burgers", 1, map1),
    buildPlan("burgers and fries", 2, map2),
    buildPlan("burgers, fries, soda", 3, map3),
};
} // namespace plans

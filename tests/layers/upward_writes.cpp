// Five ways a unit of a low layer (the rating's) could write a record owned above it: each must
// fail to compile, and the unit without them must compile (tests/layers/upward_writes.cmake).
#include "ground/game.h"
#include "rating/records.h"
#include "towers/records.h"
#include "tutorial/records.h"

namespace {
[[maybe_unused]] void clearFlag(int& flag) {
    flag = 0;
}
} // namespace

void writeFromBelow() {
    game.rating.RatingScore = 5; // the rating's own record
#if WRITE == 1
    game.lesson.tutorialRunning = 0;
#elif WRITE == 2
    ++game.defence.towerMenu;
#elif WRITE == 3
    int& runs = game.lesson.tutorialRunning;
    runs = 0;
#elif WRITE == 4
    clearFlag(game.lesson.tutorialRunning);
#elif WRITE == 5
    game.defence.selectedTower->showRange = 0;
#endif
}

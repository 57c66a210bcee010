#include "support/bot.h"
#include "customers/records.h"
#include "ground/records.h"
#include "level/records.h"
#include "persist/records.h"
#include "rating/records.h"
#include "towers/records.h"
#include "tutorial/records.h"

#include "ground/game.h"
#include "rating/rating.h"
#include "support/frame_driver.h"
#include "tutorial/tutorial.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

// Where the pointer rests between presses: over nothing that answers to hovering.
const sf::Vector2f restingPoint{5, 5};
// Plain floor of the first map, far from every pedestal, button and timer.
const sf::Vector2f floorPoint{300, 700};
// How near the lit point a pedestal or a tower's foot must be for the lesson to mean it.
constexpr float litReach = 101;
// How long a press is held, and then let go.
constexpr double pressSeconds = 0.1;
// The longest level, with room to spare.
constexpr double longestLevel = 1500;

float distance(sf::Vector2f a, sf::Vector2f b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

TowerSlot* pedestalAt(float x, float y) {
    for (TowerSlot& slot : game.level.slots)
        if (slot.x == x && slot.y == y)
            return &slot;
    return nullptr;
}

Tower* towerOn(const TowerSlot* slot) {
    for (Tower& tower : game.defence.towers)
        if (tower.slot == slot)
            return &tower;
    return nullptr;
}

class Player {
  public:
    Player(const BuildPlan& plan, double framesPerSecond, int speed, double readingSeconds,
           Hands hands)
        : plan_(plan), driver_(1.0 / framesPerSecond), reading_(readingSeconds), hands_(hands) {
        if (hands == Hands::Pad) {
            driver_.platform.padPlugged = true;
            if (speed == 2)
                driver_.platform.pad.buttons |= 1u << PadRightShoulder;
        } else {
            driver_.platform.key2 = speed == 2;
        }
    }

    PlayReport play() {
        game.progress.tutorialEnabled = plan_.level == 0 ? 1 : 0;
        unlockPlannedLevels();
        driver_.startLevel(plan_.level);
        driver_.release();
        rest();
        frame();
        while (!(game.rating.levelWon || game.rating.levelLost) &&
               driver_.clockSeconds < longestLevel) {
            if (lessonWaits()) {
                if (!readLesson())
                    break;
            } else if (orderDue()) {
                carryOutOrder();
            } else {
                frame();
            }
        }
        return finish();
    }

  private:
    const BuildPlan& plan_;
    FrameDriver driver_;
    double reading_;
    Hands hands_;
    PlayReport report_;
    int nextOrder_ = 0;
    // Customers in the room as last seen: fed, appetite and their wave.
    struct Seen {
        int fed, appetite, wave;
    };
    std::unordered_map<int, Seen> seen_;
    int waveSeen_ = 1;
    int lessonStepSeen_ = -1;
    double lessonShownAt_ = 0;
    int lessonTries_ = 0;

    // What a player who bought them in the shop could use.
    void unlockPlannedLevels() {
        for (auto& unlocked :
             game.progress.upgradeUnlocked) // levels 2 and 3 locked, whatever was saved
            unlocked[2] = unlocked[3] = 0;
        for (int i = 0; i < plan_.orderCount; ++i)
            for (int level = 2; level <= plan_.orders[i].level; ++level)
                game.progress.upgradeUnlocked[plan_.orders[i].type][level] = 1;
    }

    WaveReport& waveReport(int wave) {
        if (static_cast<int>(report_.waves.size()) < wave)
            report_.waves.resize(static_cast<std::size_t>(wave));
        return report_.waves[static_cast<std::size_t>(wave - 1)];
    }

    // Counts the customers who left since the last frame, and the rating at each wave's end.
    void watch() {
        std::unordered_map<int, Seen> present;
        for (const Customer& c : game.crowd.customers) {
            const auto known = seen_.find(c.id);
            present[c.id] = {c.fed, c.appetite,
                             known == seen_.end() ? game.waves.wave : known->second.wave};
        }
        for (const auto& [id, last] : seen_) {
            if (present.count(id))
                continue;
            WaveReport& wave = waveReport(last.wave);
            wave.customers += 1;
            if (last.fed >= last.appetite)
                wave.full += 1;
        }
        seen_.swap(present);
        for (; waveSeen_ < game.waves.wave; ++waveSeen_)
            waveReport(waveSeen_).rating = game.rating.RatingScore;
    }

    void frame() {
        driver_.frame();
        watch();
    }

    // The mouse's pointer goes back to rest; the pad's stays where it pressed.
    void rest() {
        if (hands_ == Hands::Mouse)
            driver_.moveMouse(static_cast<int>(restingPoint.x), static_cast<int>(restingPoint.y));
    }

    // Frames for that much scripted time, at least one.
    void hold(double seconds) {
        const double end = driver_.clockSeconds + seconds - driver_.frameSeconds / 2;
        do
            frame();
        while (driver_.clockSeconds < end);
    }

    // Down for a tenth of a second, up for as long, then the pointer goes back to rest: a
    // player's press takes the same time at any frame rate.
    void click(sf::Vector2f at) {
        if (hands_ == Hands::Pad) {
            report_.padMisses +=
                driver_.padMoveTo(static_cast<int>(at.x), static_cast<int>(at.y)) ? 0 : 1;
            driver_.platform.pad.buttons |= 1u << PadA;
            hold(pressSeconds);
            driver_.platform.pad.buttons &= ~(1u << PadA);
        } else {
            driver_.press(static_cast<int>(at.x), static_cast<int>(at.y));
            hold(pressSeconds);
            driver_.release();
        }
        hold(pressSeconds);
        rest();
    }

    // ---- the lesson, followed press for press

    // The lesson holds the level (its customers stand still) and waits for a press.
    bool lessonWaits() const {
        return plan_.level == 0 && game.progress.tutorialEnabled == 1 &&
               game.lesson.tutorialRunning == 0;
    }

    // What the lesson asks for, read from where its light falls: the build button it lights
    // in an open build menu, the free pedestal or the tower it lights; else any press reads on.
    static sf::Vector2f lessonPress() {
        if (!game.lesson.spotlightOn)
            return floorPoint;
        const sf::Vector2f lit(game.lesson.spotlightX, 1080 - game.lesson.spotlightY);
        if (game.defence.towerMenu == BuildMenu) {
            const sf::Sprite* nearest = nullptr;
            for (const sf::Sprite& button : game.defence.buildButtons)
                if (!nearest ||
                    distance(button.getPosition(), lit) < distance(nearest->getPosition(), lit))
                    nearest = &button;
            return nearest->getPosition();
        }
        for (const TowerSlot& slot : game.level.slots)
            if (slot.occupied == 0 && distance({slot.x, slot.y}, lit) < litReach)
                return {slot.x, slot.y};
        if (game.defence.towerMenu == Closed)
            for (const Tower& tower : game.defence.towers)
                if (distance({tower.x, tower.y}, lit) < litReach)
                    return towerBasePoints(tower).front();
        return floorPoint;
    }

    // Waits until the step has been shown long enough, then makes its press. False when the
    // lesson does not move on.
    bool readLesson() {
        const int step = game.lesson.tutorialStep;
        if (step != lessonStepSeen_) {
            lessonStepSeen_ = step;
            lessonShownAt_ = driver_.clockSeconds;
            lessonTries_ = 0;
        }
        // A press sooner than the lesson's own reading delay would not be taken.
        if (driver_.clockSeconds - lessonShownAt_ <
            std::max<double>(reading_, lessonReadingDelay)) {
            frame();
            return true;
        }
        if (++lessonTries_ > 3)
            return false;
        click(lessonPress());
        return true;
    }

    // ---- the plan's orders

    bool ordersAllowed() const {
        if (game.waveClock.paused != 0)
            return false;
        if (plan_.level != 0)
            return true;
        // The lesson lets the player build once it has shown the Burger and lets the level run.
        return game.lesson.tutorialStep > 22 && game.lesson.tutorialRunning == 1;
    }

    // The cost of the order's next move (0 for a sale), or -1 when the order is complete.
    static int nextCost(const BuildOrder& order) {
        const TowerSlot* slot = pedestalAt(order.x, order.y);
        const Tower* tower = towerOn(slot);
        if (order.level == 0 || (tower && tower->type != order.type))
            return tower ? 0 : -1;
        if (!tower)
            return game.defence.towerCatalogue[order.type][0].cost;
        if (tower->level + 1 < order.level)
            return game.defence.towerCatalogue[order.type][tower->level + 1].cost;
        return -1;
    }

    bool orderDue() {
        while (nextOrder_ < plan_.orderCount) {
            const BuildOrder& order = plan_.orders[nextOrder_];
            if (game.waves.wave < order.wave || !ordersAllowed())
                return false;
            if (!pedestalAt(order.x, order.y)) {
                report_.ordersFailed += 1; // no pedestal there
                nextOrder_ += 1;
                continue;
            }
            const int cost = nextCost(order);
            if (cost >= 0)
                return game.rating.money >= cost;
            report_.ordersDone += 1;
            nextOrder_ += 1;
        }
        return false;
    }

    // Points low on a tower's picture, where a press opens its menu, best first.
    static std::vector<sf::Vector2f> towerBasePoints(const Tower& tower) {
        const TowerStats& s = tower.stats;
        const float left = tower.x - s.originX + s.hoverBox.left;
        const float bottom = tower.y - s.originY + static_cast<float>(s.frameHeight);
        std::vector<sf::Vector2f> points;
        for (const float dy : {20.0f, 60.0f, 100.0f, 150.0f})
            for (const float dx : {0.5f, 0.25f, 0.75f})
                points.push_back({left + s.hoverBox.width * dx, bottom - dy});
        return points;
    }

    bool openMenuOf(const Tower& tower) {
        for (const sf::Vector2f at : towerBasePoints(tower)) {
            click(at);
            if (game.defence.selectedTower == &tower && game.defence.towerMenu != Closed &&
                game.defence.towerMenu != BuildMenu)
                return true;
        }
        return false;
    }

    // One move of the current order: build, upgrade once, or sell. Whether it did what was meant.
    bool makeMove(const BuildOrder& order) {
        TowerSlot* slot = pedestalAt(order.x, order.y);
        Tower* tower = towerOn(slot);
        if (tower && (order.level == 0 || tower->type != order.type)) {
            if (!openMenuOf(*tower))
                return false;
            click(game.defence.sellButton.getPosition());
            return towerOn(slot) == nullptr;
        }
        if (!tower) {
            click({slot->x, slot->y});
            if (game.defence.towerMenu != BuildMenu || game.defence.selectedSlot != slot)
                return false;
            click(game.defence.buildButtons[order.type].getPosition());
            const Tower* built = towerOn(slot);
            return built && built->type == order.type;
        }
        const int level = tower->level;
        if (!openMenuOf(*tower) || game.defence.towerMenu == SellOnly)
            return false;
        click(game.defence.upgradeButton.getPosition());
        return tower->level == level + 1;
    }

    void carryOutOrder() {
        if (!makeMove(plan_.orders[nextOrder_])) {
            report_.ordersFailed += 1;
            nextOrder_ += 1;
        }
    }

    PlayReport finish() {
        report_.ended = game.rating.levelWon || game.rating.levelLost;
        report_.won = game.rating.levelWon == 1;
        report_.rating = game.rating.RatingScore;
        report_.stars = report_.won ? starsForRating(game.rating.RatingScore) : 0;
        report_.money = game.rating.money;
        report_.seconds = driver_.clockSeconds;
        if (report_.ended)
            waveReport(game.waves.wave).rating = game.rating.RatingScore;
        return report_;
    }
};

} // namespace

PlayReport playLevel(const BuildPlan& plan, double framesPerSecond, int speed,
                     double readingSeconds, Hands hands) {
    Player player(plan, framesPerSecond, speed, readingSeconds, hands);
    return player.play();
}

// Customers: spawning and removal, walking the path colours, side-steps, walk cycle, hit
// effects and what each customer hands to the world pass.
#include "customers/customers.h"
#include "customers/records.h"
#include "ground/game.h"
#include "ground/records.h"
#include "level/level.h"
#include "persist/records.h"
#include "rating/records.h"
#include "support/frame_driver.h"
#include "towers/records.h"
#include "towers/towers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double cosWalk = std::cos(static_cast<double>(3.14f / 6.0f));
const double sinWalk = std::sin(static_cast<double>(3.14f / 6.0f));

const sf::Color downRight(0, 0, 255), downLeft(255, 0, 0), upLeft(0, 255, 0), upRight(255, 255, 0),
    exitColour(255, 0, 255);

// A test room: its own path images in the four slots, nothing else on the floor.
class Customers : public ::testing::Test {
  protected:
    void SetUp() override {
        game.progress.tutorialEnabled = 0;
        game.crowd.customers.clear();
        for (int i = 0; i < 4; ++i) {
            images[i].create(400, 300, sf::Color::White);
            classifyImage(images[i], maps[i]);
            game.crowd.collisionMaps[i] = &maps[i];
        }
        game.clock.now = 10.0f;
        game.clock.frameDelta = 1.0f / 60.0f;
        game.waveClock.gameSpeed = 1;
        game.waveClock.pausedTotal = 0;
    }

    void paint(int slot, int left, int top, int width, int height, sf::Color colour) {
        for (int x = left; x < left + width; ++x)
            for (int y = top; y < top + height; ++y)
                images[slot].setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y), colour);
        classifyImage(images[slot], maps[slot]);
    }

    // One in-game customer update after the clock moves by dt.
    void update(float dt = 1.0f / 60.0f) {
        game.clock.now += dt;
        game.clock.frameDelta = dt;
        updateCustomers();
    }

    FrameDriver driver;
    sf::Image images[4];
    CollisionMap maps[4];
};

} // namespace

TEST_F(Customers, SpawnTakesTheTypeRowAndBecomesTheHeadAndEveryTarget) {
    game.crowd.nextCustomerId = 1;
    game.crowd.featuredPending = 0;
    Customer& first = spawnCustomer(Family, UpLeft, 2, 100, 200);
    EXPECT_EQ(first.id, 1);
    EXPECT_EQ(first.appetite, 70);
    EXPECT_EQ(first.speed, 100);
    EXPECT_EQ(first.bodySprite.getOrigin(), sf::Vector2f(54, 120)); // 109 / 2 in integers
    EXPECT_EQ(first.bodyRect, sf::IntRect(0, UpLeft * 120, 109, 120));
    EXPECT_FLOAT_EQ(first.slowedSpeed, 100.0f);
    EXPECT_FLOAT_EQ(first.targetDistance, 2202.907f);
    EXPECT_EQ(first.friesHitFrame, -1);
    EXPECT_EQ(game.crowd.featuredCustomer, &first);
    EXPECT_EQ(game.crowd.featuredPending, 1);

    Customer& second = spawnCustomer(BusinessMan, DownRight, 0, 5, 6);
    EXPECT_EQ(second.id, 2);
    EXPECT_EQ(&game.crowd.customers.front(), &second);
    EXPECT_EQ(game.crowd.featuredCustomer, &first) << "a pending feature is kept";
    EXPECT_EQ(game.defence.firstTarget, &second);
    EXPECT_EQ(game.defence.secondTarget, &second);
    EXPECT_EQ(game.defence.thirdTarget, &second);
    EXPECT_FLOAT_EQ(game.crowd.lastSpawnSpeed, 200.0f);
}

TEST_F(Customers, NothingPointsAtARemovedOrClearedCustomer) {
    game.crowd.featuredPending = 0;
    Customer& a = spawnCustomer(Bachelor, DownRight, 0, 50, 50);
    Customer& b = spawnCustomer(Bachelor, DownRight, 0, 60, 50);
    Customer& c = spawnCustomer(Bachelor, DownRight, 0, 70, 50);
    game.crowd.featuredCustomer = &b;
    game.defence.firstTarget = &b;
    game.defence.secondTarget = &c;
    game.defence.thirdTarget = &b;
    game.defence.projectiles.emplace_front();
    game.defence.projectiles.front().target = &b;
    game.defence.projectiles.emplace_front();
    game.defence.projectiles.front().target = &a;

    auto it = std::next(game.crowd.customers.begin()); // b, between c and a
    auto next = removeCustomer(it);
    EXPECT_EQ(&*next, &a) << "the walk goes on with the removed customer's successor";
    EXPECT_EQ(game.crowd.featuredCustomer, nullptr);
    EXPECT_EQ(game.defence.firstTarget, nullptr);
    EXPECT_EQ(game.defence.secondTarget, &c);
    EXPECT_EQ(game.defence.thirdTarget, nullptr);
    EXPECT_EQ(game.defence.projectiles.back().target, nullptr);
    EXPECT_EQ(game.defence.projectiles.front().target, &a);
    EXPECT_EQ(game.crowd.customers.size(), 2u);

    // Leaving through the exit goes the same way.
    paint(0, 0, 0, 400, 300, exitColour);
    game.defence.firstTarget = &a;
    game.crowd.featuredCustomer = &c;
    update();
    EXPECT_TRUE(game.crowd.customers.empty());
    EXPECT_EQ(game.defence.firstTarget, nullptr);
    EXPECT_EQ(game.crowd.featuredCustomer, nullptr);
    EXPECT_EQ(game.defence.secondTarget, nullptr);
    EXPECT_EQ(game.defence.projectiles.front().target, nullptr);

    // And a level set-up forgets everyone.
    Customer& d = spawnCustomer(Bachelor, DownRight, 0, 50, 50);
    game.defence.projectiles.emplace_front();
    game.defence.projectiles.front().target = &d;
    game.crowd.featuredCustomer = &d;
    clearLevel();
    EXPECT_TRUE(game.crowd.customers.empty());
    EXPECT_TRUE(game.defence.projectiles.empty());
    EXPECT_EQ(game.crowd.featuredCustomer, nullptr);
    EXPECT_EQ(game.defence.firstTarget, nullptr);
}

TEST(CustomerPixels, ClassesAtTheirThresholds) {
    EXPECT_EQ(classifyPixel(sf::Color(254, 254, 9)), PixelTurnUpRight);
    EXPECT_EQ(classifyPixel(sf::Color(254, 254, 10)), PixelNeutral);
    EXPECT_EQ(classifyPixel(sf::Color(253, 9, 9)), PixelTurnDownLeft);
    EXPECT_EQ(classifyPixel(sf::Color(252, 0, 0)), PixelNeutral);
    EXPECT_EQ(classifyPixel(sf::Color(0, 0, 253)), PixelTurnDownRight);
    EXPECT_EQ(classifyPixel(sf::Color(9, 255, 0)), PixelTurnUpLeft);
    EXPECT_EQ(classifyPixel(sf::Color(255, 0, 255)), PixelExit);
    EXPECT_EQ(classifyPixel(sf::Color(255, 10, 255)), PixelNeutral);
    EXPECT_EQ(classifyPixel(sf::Color::White), PixelNeutral);
    EXPECT_EQ(classifyPixel(sf::Color::Black), PixelNeutral);
    EXPECT_EQ(classifyPixel(sf::Color(0, 0, 255, 0)), PixelTurnDownRight) << "alpha is ignored";

    // A path image keeps one class a pixel, read at the truncated feet.
    sf::Image image;
    image.create(10, 10, sf::Color(255, 0, 255));
    image.setPixel(7, 3, sf::Color(254, 254, 9));
    image.setPixel(8, 3, sf::Color(254, 254, 10));
    CollisionMap map;
    classifyImage(image, map);
    EXPECT_EQ(map.getSize(), sf::Vector2u(10, 10));
    EXPECT_EQ(pixelClassAt(&map, 5, 5), PixelExit);
    EXPECT_EQ(pixelClassAt(&map, 7.9f, 3.5f), PixelTurnUpRight);
    EXPECT_EQ(pixelClassAt(&map, 8.2f, 3.5f), PixelNeutral);
    // The edges themselves and everything outside read as black.
    EXPECT_EQ(pixelClassAt(&map, 0, 5), PixelNeutral);
    EXPECT_EQ(pixelClassAt(&map, 5, 10), PixelNeutral);
    EXPECT_EQ(pixelClassAt(&map, -3, 5), PixelNeutral);
    EXPECT_EQ(pixelClassAt(nullptr, 5, 5), PixelNeutral);
    EXPECT_TRUE(isPathColour(PixelTurnUpLeft));
    EXPECT_FALSE(isPathColour(PixelExit));
}

TEST_F(Customers, WalkStraightOnWhiteTurnOnColourFromTheNextFrame) {
    Customer& c = spawnCustomer(Bachelor, DownRight, 0, 100, 100);
    const float x0 = c.x, y0 = c.y;
    update();
    // One ordinary frame is exactly one step of speed x frameDelta along the diagonal.
    const float d = 125 * (1.0f / 60.0f);
    EXPECT_FLOAT_EQ(c.x, static_cast<float>(x0 + d * cosWalk));
    EXPECT_FLOAT_EQ(c.y, static_cast<float>(y0 + d * sinWalk));
    EXPECT_EQ(c.pathX, c.x);
    EXPECT_EQ(c.direction, DownRight);

    // A band of the UpLeft colour under the next step: the turn shows in the frame after.
    paint(0, static_cast<int>(c.x) + 1, 0, 40, 300, upLeft);
    const float x1 = c.x;
    update();
    EXPECT_EQ(c.direction, UpLeft);
    EXPECT_GT(c.x, x1) << "the step into the band is still made the old way";
    const float x2 = c.x;
    update();
    EXPECT_LT(c.x, x2);

    // At double speed every step is twice as long.
    game.waveClock.gameSpeed = 2;
    const float y3 = c.y;
    update();
    EXPECT_EQ(c.speed, 250);
    EXPECT_NEAR(y3 - c.y, 250 * (1.0 / 60.0) * sinWalk, 1e-3);
}

TEST_F(Customers, ExitIsTakenOnceAndTheCustomerLeavesInTheSameUpdate) {
    paint(0, 150, 0, 100, 300, exitColour);
    spawnCustomer(Bachelor, DownRight, 0, 140, 100);
    game.reviews.currentStarsVisible = 0;
    game.reviews.previousStarsVisible = 0;
    for (int i = 0; i < 10 && !game.crowd.customers.empty(); ++i)
        update();
    EXPECT_TRUE(game.crowd.customers.empty());
    EXPECT_EQ(game.reviews.currentStarsVisible, 1);
    EXPECT_EQ(game.reviews.previousStarsVisible, 0);
    spawnCustomer(Bachelor, DownRight, 0, 160, 100);
    update();
    EXPECT_EQ(game.reviews.previousStarsVisible, 1)
        << "the second exit of a run shows both reviews";
}

// A long frame (busy machine, dragged window) moves in short steps that all read the floor, so
// a thin exit band cannot be jumped; an ordinary frame is still one step.
TEST_F(Customers, LongFrameCannotStepOverABand) {
    // Bands as thin as an ordinary double-speed step (400 px/s at 60 fps: 5.8 px across x).
    paint(0, 0, 0, 400, 300, downRight);
    paint(0, 200, 0, 6, 300, exitColour);
    spawnCustomer(BusinessMan, DownRight, 0, 20, 20);
    update(1.5f); // 300 px in one frame, across the 6 px band
    EXPECT_TRUE(game.crowd.customers.empty()) << "stepped over the exit";

    paint(0, 0, 0, 400, 300, downRight);
    paint(0, 60, 0, 7, 300, upRight);
    Customer& c = spawnCustomer(BusinessMan, DownRight, 0, 20, 200);
    update(0.5f);
    EXPECT_EQ(c.direction, DownRight) << "back on the blue floor after the band";
    EXPECT_LT(c.y, 246.0f) << "turned up on the way (250 without the turn)";
    EXPECT_GT(c.x, 67.0f);
}

TEST_F(Customers, EqualSpeedsSideStepOncePerFrameEach) {
    paint(0, 0, 0, 400, 300, downRight);
    Customer& back = spawnCustomer(Bachelor, DownRight, 0, 100, 100);
    Customer& head = spawnCustomer(Bachelor, DownRight, 0, 130, 100);
    game.clock.frameDelta = 1.0f / 60.0f;
    separateCustomers();
    const double half = 125 * (1.0f / 60.0f) * cosWalk * 0.5;
    EXPECT_NEAR(head.x, 130 - half, 1e-4) << "the customer nearer the head moves left";
    EXPECT_NEAR(back.x, 100 + half, 1e-4);
    EXPECT_EQ(head.pathX, 130.0f) << "side-steps leave the path position alone";
    EXPECT_EQ(head.y, 100.0f);
    EXPECT_EQ(head.sideStepped, 1);
    EXPECT_EQ(back.sideStepped, 1);

    // UpLeft has no once-per-frame rule: the reversed visit pushes both back.
    head.x = 130;
    back.x = 100;
    head.direction = back.direction = UpLeft;
    separateCustomers();
    EXPECT_FLOAT_EQ(head.x, 130);
    EXPECT_FLOAT_EQ(back.x, 100);
}

TEST_F(Customers, FasterPassesOnTheRightGoingDownAndOnTheLeftGoingUp) {
    paint(0, 0, 0, 400, 300, downRight);
    Customer& slow = spawnCustomer(Family, DownRight, 0, 100, 100);
    Customer& fast = spawnCustomer(BusinessMan, DownRight, 0, 110, 110);
    separateCustomers();
    // Visited in both orders: each is pushed twice by half its sideways step.
    EXPECT_NEAR(fast.x, 110 + 200 * (1.0f / 60.0f) * cosWalk, 1e-3);
    EXPECT_NEAR(slow.x, 100 - 100 * (1.0f / 60.0f) * cosWalk, 1e-3);

    slow.x = 100;
    fast.x = 110;
    slow.direction = fast.direction = UpRight;
    separateCustomers();
    EXPECT_LT(fast.x, 110);
    EXPECT_GT(slow.x, 100);

    // No path colour where the push would land: nobody moves.
    paint(0, 0, 0, 400, 300, sf::Color::White);
    slow.x = 100;
    fast.x = 110;
    separateCustomers();
    EXPECT_EQ(fast.x, 110);
    EXPECT_EQ(slow.x, 100);
}

TEST_F(Customers, DifferentPathGroupsNeverPushEachOther) {
    for (int i = 0; i < 4; ++i)
        paint(i, 0, 0, 400, 300, downRight);
    Customer& a = spawnCustomer(Bachelor, DownRight, 0, 100, 100);
    Customer& b = spawnCustomer(BusinessMan, DownRight, 2, 101, 100);
    Customer& c = spawnCustomer(Bachelor, DownRight, 3, 200, 100);
    Customer& d = spawnCustomer(Bachelor, DownRight, 1, 250, 100);
    separateCustomers();
    EXPECT_EQ(a.x, 100);
    EXPECT_EQ(b.x, 101);
    EXPECT_EQ(c.x, 200) << "40 px or more apart";
    EXPECT_EQ(d.x, 250);
}

TEST_F(Customers, WalkCycleHitEffectsAndTheSlow) {
    paint(0, 0, 0, 400, 300, downRight);
    Customer& c = spawnCustomer(Bachelor, DownRight, 0, 20, 20);
    const float start = game.clock.now;
    update(0.04f);
    EXPECT_EQ(c.walkFrame, 0) << "a frame holds 0.05 s at full speed";
    update(0.02f);
    EXPECT_EQ(c.walkFrame, 1);
    EXPECT_EQ(c.bodyRect.left, 77);
    EXPECT_GT(game.clock.now, start);

    // Fries: frames 0, 1, 2 for 0.1 s each, then idle.
    c.hitActive[0] = 1;
    c.hitTimes[0] = game.clock.now;
    update(0.01f);
    EXPECT_EQ(c.friesHitFrame, 0);
    EXPECT_EQ(c.friesHitRect, sf::IntRect(0, 0, 129, 124));
    update(0.05f);
    EXPECT_EQ(c.friesHitFrame, 0);
    update(0.06f);
    EXPECT_EQ(c.friesHitFrame, 1);
    c.hitActive[0] = 1; // a new hit does not restart the running animation
    update(0.11f);
    EXPECT_EQ(c.friesHitFrame, 2);
    update(0.11f);
    EXPECT_EQ(c.friesHitFrame, -1);
    EXPECT_EQ(c.hitActive[0], 0);

    // Burger: 0.5 s of game time.
    c.hitActive[1] = 1;
    c.hitTimes[1] = game.clock.now;
    update(0.45f);
    EXPECT_EQ(c.hitActive[1], 1);
    update(0.1f);
    EXPECT_EQ(c.hitActive[1], 0);

    // Soda slows to the truncated slowed speed for 2 s, then the type's speed again.
    c.hitActive[2] = 1;
    c.hitTimes[2] = game.clock.now;
    c.slowedSpeed = 83.33f;
    update();
    EXPECT_EQ(c.speed, 83);
    update(1.9f);
    EXPECT_EQ(c.hitActive[2], 1);
    update(0.2f);
    EXPECT_EQ(c.hitActive[2], 0);
    EXPECT_FLOAT_EQ(c.slowedSpeed, 83.33f) << "kept for the next puddle";
    update();
    EXPECT_EQ(c.speed, 125);
}

TEST_F(Customers, QueuedItemsGaugeFillAndHitPlacement) {
    Renderer renderer;
    Customer& big = spawnCustomer(BigEater, UpLeft, 0, 300, 200);
    big.fed = 75;
    big.hitActive[0] = 1;
    big.friesHitRect = sf::IntRect(129, 124 * UpLeft, 129, 124);
    big.hitActive[2] = 1;
    refreshCustomerSprites();
    queueCustomerSprites(game, renderer);
    ASSERT_EQ(renderer.queue.size(), 6u);
    const DrawItem& gauge = renderer.queue[0];
    const DrawItem& fill = renderer.queue[1];
    const DrawItem& shadow = renderer.queue[2];
    const DrawItem& body = renderer.queue[3];
    const DrawItem& fries = renderer.queue[4];
    const DrawItem& soda = renderer.queue[5];
    EXPECT_EQ(gauge.sprite->getTextureRect(), sf::IntRect(0, 0, 104, 14));
    EXPECT_EQ(gauge.at, sf::Vector2f(250, 200 - 125 - 14));
    EXPECT_EQ(fill.sprite->getTextureRect().width, 50) << "75 of 150 is half the bar";
    EXPECT_EQ(fill.at, sf::Vector2f(252, 200 - 125 - 10 - 2));
    EXPECT_FLOAT_EQ(fill.depthY, 201);
    EXPECT_FLOAT_EQ(shadow.depthY, 199);
    EXPECT_EQ(shadow.at, sf::Vector2f(300, 199));
    EXPECT_EQ(body.sprite->getTextureRect(), big.bodyRect);
    EXPECT_EQ(fries.at, sf::Vector2f(300 - 15, 200 - (124 - 125)));
    EXPECT_EQ(fries.sprite->getTextureRect(), big.friesHitRect);
    EXPECT_EQ(soda.sprite->getTextureRect(), sf::IntRect(UpLeft * 98, 0, 98, 125));
    EXPECT_EQ(soda.at, sf::Vector2f(300, 201));

    // A Family's shadow follows its direction; an empty gauge has no fill.
    renderer.queue.clear();
    game.crowd.customers.clear();
    spawnCustomer(Family, DownLeft, 0, 10, 10);
    refreshCustomerSprites();
    queueCustomerSprites(game, renderer);
    EXPECT_EQ(renderer.queue[1].sprite->getTextureRect().width, 0);
    EXPECT_EQ(renderer.queue[2].sprite->getTextureRect(), sf::IntRect(0, 120, 109, 120));
}

// The side-step pass skips the pairs that can never push; it must move everyone exactly as
// trying every ordered pair does, in dense crowds of mixed speeds, directions and groups.
TEST_F(Customers, IndexedSideStepsMatchEveryPairExactly) {
    for (int i = 0; i < 4; ++i) {
        paint(i, 0, 0, 400, 300, i % 2 ? upLeft : downRight);
        paint(i, 150, 0, 30, 300, sf::Color::White);
    }
    unsigned seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(range));
    };
    auto before_x = [](const std::list<Customer>& list, int id) {
        for (const Customer& c : list)
            if (c.id == id)
                return c.x;
        return -1.0f;
    };
    int pushed = 0;
    for (int round = 0; round < 20; ++round) {
        game.crowd.customers.clear();
        const int count = 20 + next(60);
        for (int i = 0; i < count; ++i) {
            Customer& c = spawnCustomer(next(4), next(4), next(4), 5.0f + next(390),
                                        next(300) - 5.0f + next(100) / 100.0f);
            c.speed = 80 + next(4) * 60;
        }
        const std::list<Customer> before = game.crowd.customers;
        // The rule as written: every ordered pair in turn.
        for (Customer& c : game.crowd.customers)
            c.sideStepped = 0;
        for (Customer& a : game.crowd.customers)
            for (Customer& b : game.crowd.customers)
                if (&a != &b)
                    sideStepPair(a, b);
        const std::list<Customer> expected = game.crowd.customers;
        game.crowd.customers = before;
        separateCustomers();
        auto e = expected.begin();
        for (const Customer& c : game.crowd.customers) {
            ASSERT_EQ(c.x, e->x) << "round " << round << " customer " << c.id;
            EXPECT_EQ(c.sideStepped, e->sideStepped);
            pushed += c.x != before_x(before, c.id) ? 1 : 0;
            ++e;
        }
    }
    EXPECT_GT(pushed, 100) << "the crowds must be dense enough to push";
}

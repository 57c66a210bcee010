// Walking the path images: pixel classes, steps and side-steps.
#include "customers/customers.h"

#include "core/game.h"
#include "rating/rating.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

const double cosWalk = std::cos(static_cast<double>(walkAngle));
const double sinWalk = std::sin(static_cast<double>(walkAngle));

// Longest single move. A frame at 60 fps moves at most 400 px/s / 60 = 6.7 px (a BusinessMan at
// double speed), so an ordinary frame is one step; a longer frame (busy machine, dragged window)
// is cut into moves no longer than this, each reading the floor under it, so no turn or exit
// band can be stepped over.
constexpr float longestStep = 8.0f;

bool high(sf::Uint8 value) {
    return value >= 253;
}
bool low(sf::Uint8 value) {
    return value < 10;
}

const CollisionMap* pathImage(int pathIndex) {
    if (pathIndex < 0 || pathIndex > 3)
        return nullptr;
    return game.collisionMaps[pathIndex];
}

bool feetInside(const CollisionMap* map, float x, float y) {
    if (!map)
        return false;
    const sf::Vector2u size = map->getSize();
    return 0 < x && x < static_cast<float>(size.x) && 0 < y && y < static_cast<float>(size.y);
}

// The side-step probe reads at truncated coordinates; outside the image is no path.
PixelClass probeClass(const CollisionMap* map, double x, float y) {
    if (!map)
        return PixelNeutral;
    const sf::Vector2u size = map->getSize();
    // Truncation towards zero: x in (-1, 0) still reads column 0.
    if (!(x > -1.0 && x < static_cast<double>(size.x)) || !(y >= 0 && y < size.y))
        return PixelNeutral;
    const auto px = static_cast<unsigned>(static_cast<int>(x));
    const auto py = static_cast<unsigned>(y);
    if (px >= size.x || py >= size.y)
        return PixelNeutral;
    return classifyPixel(map->getPixel(px, py));
}

int pathGroup(const Customer& c) {
    return c.pathIndex / 2;
}

// Which way A steps aside from B: +1 right, -1 left; and whether the once-per-frame rule holds.
struct Side {
    int sign;
    bool oncePerFrame;
};

Side sideFor(const Customer& a, const Customer& b) {
    const bool down = a.direction == DownRight || a.direction == DownLeft;
    if (a.speed > b.speed)
        return {down ? +1 : -1, false};
    if (a.speed < b.speed)
        return {down ? -1 : +1, false};
    switch (a.direction) {
    case DownRight:
        return {-1, true};
    case DownLeft:
        return {-1, false};
    case UpRight:
        return {+1, true};
    default:
        return {+1, false};
    }
}

bool closeEnough(const Customer& a, const Customer& b) {
    const double dx = static_cast<double>(a.x) - b.x;
    const double dy = static_cast<double>(a.y) - b.y;
    return std::sqrt(dx * dx + dy * dy) < 40.0;
}

void stepAside(Customer& c, int sign, double sideways, bool oncePerFrame) {
    if (oncePerFrame) {
        if (c.sideStepped)
            return;
        c.sideStepped = 1;
    }
    c.x = static_cast<float>(c.x + sign * sideways * 0.5);
}

// The side-step of one ordered pair.
void separatePair(Customer& a, Customer& b) {
    if (pathGroup(a) != pathGroup(b))
        return;
    if (!closeEnough(a, b))
        return;
    const CollisionMap* map = pathImage(a.pathIndex);
    if (!feetInside(map, a.x, a.y))
        return;
    const Side side = sideFor(a, b);
    const double sidewaysA = static_cast<double>(a.speed * game.frameDelta) * cosWalk;
    const double sidewaysB = static_cast<double>(b.speed * game.frameDelta) * cosWalk;
    const double probeA = a.x + side.sign * sidewaysA;
    const double probeB = b.x - side.sign * sidewaysB;
    // Both probes are read before anyone moves.
    const bool aMoves = isPathColour(probeClass(map, probeA, a.y));
    const bool bMoves = isPathColour(probeClass(map, probeB, b.y));
    if (aMoves)
        stepAside(a, side.sign, sidewaysA, side.oncePerFrame);
    if (bMoves)
        stepAside(b, -side.sign, sidewaysB, side.oncePerFrame);
}

void frameSpeed(Customer& c) {
    if (c.hitActive[2] == 1)
        c.speed = static_cast<int>(static_cast<float>(game.gameSpeed) * c.slowedSpeed);
    else
        c.speed = game.customerTypes[c.type].walkSpeed * game.gameSpeed;
}

void move(Customer& c, float d) {
    double dx = d * cosWalk;
    double dy = d * sinWalk;
    if (c.direction == DownLeft || c.direction == UpLeft)
        dx = -dx;
    if (c.direction == UpRight || c.direction == UpLeft)
        dy = -dy;
    c.x = static_cast<float>(c.x + dx);
    c.y = static_cast<float>(c.y + dy);
    c.pathX = static_cast<float>(c.pathX + dx);
    c.pathY = static_cast<float>(c.pathY + dy);
}

void reachExit(Customer& c) {
    if (c.hasExited)
        return;
    c.hasExited = 1;
    // The review panel shows its first stars on the first exit of a run, then both.
    if (game.currentStarsVisible == 0)
        game.currentStarsVisible = 1;
    else
        game.previousStarsVisible = 1;
    rateExit(c);
}

// Walks one customer for this frame, turning on the bands and stopping at the exit.
void walk(Customer& c) {
    const float d = static_cast<float>(c.speed) * game.frameDelta;
    int moves = 1;
    if (d > longestStep)
        moves = static_cast<int>(std::ceil(d / longestStep));
    const float each = moves == 1 ? d : d / static_cast<float>(moves);
    for (int i = 0; i < moves; ++i) {
        move(c, each);
        const PixelClass floor = pixelClassAt(pathImage(c.pathIndex), c.x, c.y);
        if (isPathColour(floor)) {
            c.direction = floor;
        } else if (floor == PixelExit) {
            reachExit(c);
            return;
        }
    }
}

} // namespace

PixelClass classifyPixel(sf::Color pixel) {
    const bool r = high(pixel.r), g = high(pixel.g), b = high(pixel.b);
    const bool nr = low(pixel.r), ng = low(pixel.g), nb = low(pixel.b);
    if (r && ng && nb)
        return PixelTurnDownLeft;
    if (nr && ng && b)
        return PixelTurnDownRight;
    if (nr && g && nb)
        return PixelTurnUpLeft;
    if (r && g && nb)
        return PixelTurnUpRight;
    if (r && ng && b)
        return PixelExit;
    return PixelNeutral;
}

PixelClass pixelClassAt(const CollisionMap* map, float x, float y) {
    if (!feetInside(map, x, y))
        return PixelNeutral;
    return classifyPixel(map->getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)));
}

bool isPathColour(PixelClass pixelClass) {
    return pixelClass == PixelTurnDownRight || pixelClass == PixelTurnDownLeft ||
           pixelClass == PixelTurnUpRight || pixelClass == PixelTurnUpLeft;
}

void separateCustomersEveryPair() {
    for (Customer& c : game.customers)
        c.sideStepped = 0;
    for (Customer& a : game.customers)
        for (Customer& b : game.customers)
            if (&a != &b)
                separatePair(a, b);
}

void separateCustomers() {
    // Visits the same ordered pairs in the same order as every-pair, minus those that can never
    // push: other path groups, or 40 px or more apart in y (side-steps never change y, so the
    // pairs pruned here stay out of reach for the whole pass).
    static std::vector<Customer*> byList;
    static std::vector<std::pair<float, int>> byY[2];
    static std::vector<int> near;
    byList.clear();
    byY[0].clear();
    byY[1].clear();
    for (Customer& c : game.customers) {
        c.sideStepped = 0;
        const int group = pathGroup(c) == 0 ? 0 : 1;
        byY[group].emplace_back(c.y, static_cast<int>(byList.size()));
        byList.push_back(&c);
    }
    if (byList.size() < 2)
        return;
    for (auto& column : byY)
        std::sort(column.begin(), column.end());
    for (int i = 0; i < static_cast<int>(byList.size()); ++i) {
        Customer& a = *byList[i];
        const auto& column = byY[pathGroup(a) == 0 ? 0 : 1];
        auto first =
            std::lower_bound(column.begin(), column.end(), std::make_pair(a.y - 41.0f, -1));
        near.clear();
        for (auto it = first; it != column.end() && it->first <= a.y + 41.0f; ++it)
            if (it->second != i)
                near.push_back(it->second);
        std::sort(near.begin(), near.end());
        for (int j : near)
            separatePair(a, *byList[j]);
    }
}

void updateCustomers() {
    separateCustomers();
    for (auto it = game.customers.begin(); it != game.customers.end();) {
        Customer& c = *it;
        frameSpeed(c);
        walk(c);
        animateCustomer(c);
        if (c.hasExited == 1) {
            settleExit(c);
            it = removeCustomer(it);
        } else {
            ++it;
        }
    }
}

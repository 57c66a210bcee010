// Walking the path images: pixel classes, steps and side-steps.
#include "customers/customers.h"

#include "core/game.h"
#include "rating/rating.h"

#include <algorithm>
#include <cmath>
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
    return static_cast<PixelClass>(map->classAt(px, py));
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
    // 40 px or more along either axis is 40 px or more apart; no root needed to know it.
    if (!(std::fabs(dx) < 40.0 && std::fabs(dy) < 40.0))
        return false;
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

void stepAlong(Customer& c, float d) {
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
        stepAlong(c, each);
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
    return static_cast<PixelClass>(
        map->classAt(static_cast<unsigned>(x), static_cast<unsigned>(y)));
}

void classifyImage(const sf::Image& image, CollisionMap& map) {
    map.size = image.getSize();
    const std::size_t count = static_cast<std::size_t>(map.size.x) * map.size.y;
    map.classes.resize(count);
    const sf::Uint8* pixel = image.getPixelsPtr();
    for (std::size_t i = 0; i < count; ++i, pixel += 4)
        map.classes[i] =
            static_cast<std::uint8_t>(classifyPixel(sf::Color(pixel[0], pixel[1], pixel[2])));
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
    // pairs pruned here stay out of reach for the whole pass). One sort a frame puts everyone in
    // bands of 40 px of y, in list order within a band; a customer's partners all stand in its
    // own band or the two beside it, and merging those three runs gives them in list order.
    struct Entry {
        int group;
        double band;
        int index;
        bool operator<(const Entry& other) const {
            if (group != other.group)
                return group < other.group;
            if (band != other.band)
                return band < other.band;
            return index < other.index;
        }
    };
    static std::vector<Customer*> byList;
    static std::vector<Entry> entries;
    static std::vector<int> bandOf; // where each customer's entry sits in `entries`, or -1
    byList.clear();
    entries.clear();
    for (Customer& c : game.customers) {
        c.sideStepped = 0;
        const int index = static_cast<int>(byList.size());
        byList.push_back(&c);
        // Nobody is within 40 px of a customer whose y is not a number or infinite.
        if (std::isfinite(c.y))
            entries.push_back({pathGroup(c), std::floor(static_cast<double>(c.y) / 40.0), index});
    }
    if (entries.size() < 2)
        return;
    std::sort(entries.begin(), entries.end());
    bandOf.assign(byList.size(), -1);
    for (std::size_t e = 0; e < entries.size(); ++e)
        bandOf[static_cast<std::size_t>(entries[e].index)] = static_cast<int>(e);

    using It = std::vector<Entry>::const_iterator;
    for (int i = 0; i < static_cast<int>(byList.size()); ++i) {
        const int at = bandOf[static_cast<std::size_t>(i)];
        if (at < 0)
            continue;
        const Entry& self = entries[static_cast<std::size_t>(at)];
        // The runs of the band below, the customer's own band and the band above.
        It run[3][2];
        for (int k = 0; k < 3; ++k) {
            const double band = self.band + (k - 1);
            run[k][0] =
                std::lower_bound(entries.cbegin(), entries.cend(), Entry{self.group, band, -1});
            run[k][1] = std::lower_bound(run[k][0], entries.cend(),
                                         Entry{self.group, band, static_cast<int>(byList.size())});
        }
        Customer& a = *byList[static_cast<std::size_t>(i)];
        for (;;) {
            int next = -1;
            for (auto& r : run)
                if (r[0] != r[1] && (next < 0 || r[0]->index < next))
                    next = r[0]->index;
            if (next < 0)
                break;
            for (auto& r : run)
                if (r[0] != r[1] && r[0]->index == next)
                    ++r[0];
            if (next != i)
                separatePair(a, *byList[static_cast<std::size_t>(next)]);
        }
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

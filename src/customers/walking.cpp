// Walking the path images: pixel classes, steps and side-steps.
#include "customers/customers.h"
#include "customers/records.h"
#include "ground/records.h"

#include "ground/game.h"
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
    return game.crowd.collisionMaps[pathIndex];
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

// What the side-step rule reads and moves of a customer. The rule below is written for
// customers and, with the very same arithmetic, for these copies packed close together.
struct Feet {
    float x, y;
    int speed, direction, pathIndex, sideStepped;
};

template <class Walker> int pathGroup(const Walker& c) {
    return c.pathIndex / 2;
}

// Which way A steps aside from B: +1 right, -1 left; and whether the once-per-frame rule holds.
struct Side {
    int sign;
    bool oncePerFrame;
};

template <class Walker> Side sideFor(const Walker& a, const Walker& b) {
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

template <class Walker> bool closeEnough(const Walker& a, const Walker& b) {
    const double dx = static_cast<double>(a.x) - b.x;
    const double dy = static_cast<double>(a.y) - b.y;
    // 40 px or more along either axis is 40 px or more apart; no root needed to know it.
    if (!(std::fabs(dx) < 40.0 && std::fabs(dy) < 40.0))
        return false;
    return std::sqrt(dx * dx + dy * dy) < 40.0;
}

template <class Walker> void stepAside(Walker& c, int sign, double sideways, bool oncePerFrame) {
    if (oncePerFrame) {
        if (c.sideStepped)
            return;
        c.sideStepped = 1;
    }
    c.x = static_cast<float>(c.x + sign * sideways * 0.5);
}

// The side-step of one ordered pair.
template <class Walker> void separatePair(Walker& a, Walker& b) {
    if (pathGroup(a) != pathGroup(b))
        return;
    if (!closeEnough(a, b))
        return;
    const CollisionMap* map = pathImage(a.pathIndex);
    if (!feetInside(map, a.x, a.y))
        return;
    const Side side = sideFor(a, b);
    const double sidewaysA = static_cast<double>(a.speed * game.clock.frameDelta) * cosWalk;
    const double sidewaysB = static_cast<double>(b.speed * game.clock.frameDelta) * cosWalk;
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
        c.speed = static_cast<int>(static_cast<float>(game.waveClock.gameSpeed) * c.slowedSpeed);
    else
        c.speed = game.crowd.customerTypes[c.type].walkSpeed * game.waveClock.gameSpeed;
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
    rateExit(c);
}

// Walks one customer for this frame, turning on the bands and stopping at the exit.
void walk(Customer& c) {
    const float d = static_cast<float>(c.speed) * game.clock.frameDelta;
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

// The banded side-step pass (separateCustomers): its scratch, kept from frame to frame so a
// frame allocates nothing.
struct BandEntry {
    int group;
    double band;
    int index;
    bool operator<(const BandEntry& other) const {
        if (group != other.group)
            return group < other.group;
        if (band != other.band)
            return band < other.band;
        return index < other.index;
    }
};

struct BandRun {
    int begin, end;            // its entries
    int partners, partnersEnd; // its partners, in `partners`
};

struct SideStepPass {
    std::vector<Feet> feet; // by list index
    std::vector<BandEntry> entries;
    std::vector<BandRun> runs;
    std::vector<int> runOf;    // each customer's run, or -1
    std::vector<int> partners; // every run's partners, list indices in list order
};

SideStepPass& sideStepPass() {
    static SideStepPass pass;
    return pass;
}

// Packed copies of what the rule reads, by list index, and an entry for each customer that can
// be reached (by path group and band of 40 px of y); every side-step mark is cleared.
void packFeet(SideStepPass& pass) {
    pass.feet.clear();
    pass.entries.clear();
    for (Customer& c : game.crowd.customers) {
        c.sideStepped = 0;
        const int index = static_cast<int>(pass.feet.size());
        pass.feet.push_back({c.x, c.y, c.speed, c.direction, c.pathIndex, 0});
        // Nobody is within 40 px of a customer whose y is not a number or infinite.
        if (std::isfinite(c.y))
            pass.entries.push_back(
                {pathGroup(c), std::floor(static_cast<double>(c.y) / 40.0), index});
    }
}

// The entries sorted into runs of one group and band; each customer's run noted.
void groupIntoRuns(SideStepPass& pass) {
    std::vector<BandEntry>& entries = pass.entries;
    std::sort(entries.begin(), entries.end());
    const int count = static_cast<int>(entries.size());
    pass.runs.clear();
    pass.runOf.assign(pass.feet.size(), -1);
    for (int e = 0; e < count;) {
        int end = e + 1;
        while (end < count && entries[end].group == entries[e].group &&
               entries[end].band == entries[e].band)
            ++end;
        for (int k = e; k < end; ++k)
            pass.runOf[static_cast<std::size_t>(entries[k].index)] =
                static_cast<int>(pass.runs.size());
        pass.runs.push_back({e, end, 0, 0});
        e = end;
    }
}

// Each run's partners: the customers of the band below, its own and the band above (of its
// group), merged once in list order.
void mergePartners(SideStepPass& pass) {
    const std::vector<BandEntry>& entries = pass.entries;
    std::vector<BandRun>& runs = pass.runs;
    pass.partners.clear();
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const BandEntry& band = entries[static_cast<std::size_t>(runs[r].begin)];
        int from[3][2] = {{0, 0}, {runs[r].begin, runs[r].end}, {0, 0}};
        if (r > 0 && entries[runs[r - 1].begin].group == band.group &&
            entries[runs[r - 1].begin].band == band.band - 1) {
            from[0][0] = runs[r - 1].begin;
            from[0][1] = runs[r - 1].end;
        }
        if (r + 1 < runs.size() && entries[runs[r + 1].begin].group == band.group &&
            entries[runs[r + 1].begin].band == band.band + 1) {
            from[2][0] = runs[r + 1].begin;
            from[2][1] = runs[r + 1].end;
        }
        runs[r].partners = static_cast<int>(pass.partners.size());
        for (;;) {
            int next = -1;
            for (auto& f : from)
                if (f[0] != f[1] && (next < 0 || entries[f[0]].index < next))
                    next = entries[f[0]].index;
            if (next < 0)
                break;
            for (auto& f : from)
                if (f[0] != f[1] && entries[f[0]].index == next)
                    ++f[0];
            pass.partners.push_back(next);
        }
        runs[r].partnersEnd = static_cast<int>(pass.partners.size());
    }
}

// Every customer, in list order, tries its run's partners in list order.
void stepAsideFromPartners(SideStepPass& pass) {
    for (int i = 0; i < static_cast<int>(pass.feet.size()); ++i) {
        const int r = pass.runOf[static_cast<std::size_t>(i)];
        if (r < 0)
            continue;
        Feet& a = pass.feet[static_cast<std::size_t>(i)];
        const BandRun& run = pass.runs[static_cast<std::size_t>(r)];
        const int* partner = pass.partners.data() + run.partners;
        const int* last = pass.partners.data() + run.partnersEnd;
        for (; partner != last; ++partner) {
            Feet& b = pass.feet[static_cast<std::size_t>(*partner)];
            // closeEnough's first test, on the same values: a pair that fails it does nothing.
            const double dx = static_cast<double>(a.x) - b.x;
            const double dy = static_cast<double>(a.y) - b.y;
            if (*partner != i && std::fabs(dx) < 40.0 && std::fabs(dy) < 40.0)
                separatePair(a, b);
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
    map.start(image.getSize());
    std::vector<std::uint8_t> row(map.size.x);
    const sf::Uint8* pixel = image.getPixelsPtr();
    for (unsigned y = 0; y < map.size.y; ++y) {
        for (unsigned x = 0; x < map.size.x; ++x, pixel += 4)
            row[x] =
                static_cast<std::uint8_t>(classifyPixel(sf::Color(pixel[0], pixel[1], pixel[2])));
        map.addRow(row.data());
    }
}

bool isPathColour(PixelClass pixelClass) {
    return pixelClass == PixelTurnDownRight || pixelClass == PixelTurnDownLeft ||
           pixelClass == PixelTurnUpRight || pixelClass == PixelTurnUpLeft;
}

void sideStepPair(Customer& a, Customer& b) {
    separatePair(a, b);
}

void separateCustomers() {
    // The same pairs in the same order as trying every ordered pair, skipping those that cannot
    // push: other path groups, or 40 px or more apart in y (side-steps never change y). Customers
    // are sorted into 40 px bands of y once a frame, so each one tries only its own band and the
    // two beside it. The pass works on packed copies and writes them back at the end.
    SideStepPass& pass = sideStepPass();
    packFeet(pass);
    if (pass.entries.size() < 2)
        return;
    groupIntoRuns(pass);
    mergePartners(pass);
    stepAsideFromPartners(pass);
    auto moved = pass.feet.begin();
    for (Customer& c : game.crowd.customers) {
        c.x = moved->x;
        c.sideStepped = moved->sideStepped;
        ++moved;
    }
}

void updateCustomers() {
    separateCustomers();
    for (auto it = game.crowd.customers.begin(); it != game.crowd.customers.end();) {
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

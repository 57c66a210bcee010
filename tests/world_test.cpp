// The world pass: the depth order of everything on the floor and the projectile layers.
#include "assets/assets.h"
#include "customers/customers.h"
#include "customers/records.h"
#include "frame/frame.h"
#include "ground/game.h"
#include "level/level.h"
#include "level/records.h"
#include "persist/records.h"
#include "support/frame_driver.h"
#include "towers/records.h"
#include "towers/towers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

sf::Texture solid(sf::Color colour, unsigned size = 40) {
    sf::Image image;
    image.create(size, size, colour);
    sf::Texture texture;
    texture.loadFromImage(image);
    return texture;
}

class World : public ::testing::Test {
  protected:
    World() {
        game.progress.tutorialEnabled = 0;
        driver.startLevel(1);
        game.level.slots.clear();
        game.level.decorations.clear();
    }

    // Draws the world pass alone on black and reads one layout point back.
    sf::Color drawAndRead(float x, float y) {
        Renderer& renderer = frameRenderer();
        beginDrawing(renderer);
        renderer.frame.clear(sf::Color::Black);
        refreshCustomerSprites();
        drawWorld(game, renderer);
        renderer.frame.display();
        return renderer.frame.getTexture().copyToImage().getPixel(static_cast<unsigned>(x),
                                                                  static_cast<unsigned>(y));
    }

    void addProp(const sf::Texture& texture, float x, float y) {
        game.level.decorations.emplace_front();
        Decoration& prop = game.level.decorations.front();
        prop.sprite.setTexture(texture, true);
        prop.frameRect = sf::IntRect(0, 0, 40, 40);
        prop.x = x;
        prop.y = y;
    }

    Projectile& addProjectile(const sf::Texture& texture, int kind, int facing, float x, float y) {
        game.defence.projectiles.emplace_front();
        Projectile& p = game.defence.projectiles.front();
        p.sprite.setTexture(texture, true);
        p.sprite.setPosition(x, y);
        p.kind = kind;
        p.facing = facing;
        return p;
    }

    FrameDriver driver;
};

} // namespace

TEST_F(World, StableSortKeepsEqualDepthsWithTheLastQueuedFirst) {
    Renderer renderer;
    sf::Sprite sprite;
    const float keys[] = {5, 3, 5, 1, 3, 5};
    for (int i = 0; i < 6; ++i)
        queueItem(renderer, sprite, {static_cast<float>(i), 0}, keys[i]);
    sortDrawQueue(renderer);
    std::vector<float> order;
    for (const DrawItem& item : renderer.queue)
        order.push_back(item.at.x);
    EXPECT_EQ(order, (std::vector<float>{3, 4, 1, 5, 2, 0}));
}

TEST_F(World, CustomersAreDrawnOverTowersBehindThemAndUnderTowersInFront) {
    game.defence.towers.emplace_front();
    Tower& tower = game.defence.towers.front();
    tower.x = 600;
    tower.y = 500;
    tower.sprite.setPosition(600, 500);
    Customer& behind = spawnCustomer(Bachelor, DownRight, 0, 600, 480);
    Customer& front = spawnCustomer(BusinessMan, DownRight, 0, 620, 530);
    drawAndRead(0, 0);

    auto indexOf = [](float depth, float x) {
        const auto& queue = frameRenderer().queue;
        for (size_t i = 0; i < queue.size(); ++i)
            if (queue[i].depthY == depth && queue[i].at.x == x)
                return static_cast<int>(i);
        return -1;
    };
    const int towerAt = indexOf(500, 600);
    const int behindBody = indexOf(behind.y, behind.x);
    const int frontBody = indexOf(front.y, front.x);
    ASSERT_GE(towerAt, 0);
    ASSERT_GE(behindBody, 0);
    ASSERT_GE(frontBody, 0);
    EXPECT_LT(behindBody, towerAt) << "hidden by the tower in front of it";
    EXPECT_GT(frontBody, towerAt) << "drawn over the tower behind it";

    // One customer's own items: shadow, body, gauge frame, hit effects, gauge fill.
    game.crowd.customers.clear();
    game.defence.towers.clear();
    Customer& c = spawnCustomer(Family, DownLeft, 0, 300, 300);
    c.hitActive[1] = 1;
    drawAndRead(0, 0);
    const auto& queue = frameRenderer().queue;
    ASSERT_EQ(queue.size(), 5u);
    const float depths[] = {299, 300, 300, 301, 301};
    const sf::Texture* textures[] = {c.shadowTexture, game.crowd.customerBodyTextures[Family],
                                     game.crowd.gaugeTexture, c.burgerHitTexture,
                                     game.crowd.satisfactionTexture};
    for (int i = 0; i < 5; ++i) {
        EXPECT_FLOAT_EQ(queue[i].depthY, depths[i]) << i;
        if (textures[i]) {
            EXPECT_EQ(queue[i].sprite->getTexture(), textures[i]) << i;
        }
    }
}

// A crowd is drawn from the customers' atlas, a run of sprites at a time: pixel for pixel what
// each queued sprite draws alone from its own sheet, in the queue's order, on whole and
// fractional places, every frame and hit effect, gauges at any fill.
TEST_F(World, ACrowdDrawnInRunsFromItsAtlasShowsWhatEachSheetShows) {
    for (int i = 0; i < 48; ++i) {
        const float x = 150.0f + 35.0f * static_cast<float>(i) + (i % 2 ? 0.37f : 0.0f);
        const float y = 200.0f + 61.0f * static_cast<float>(i % 13) + (i % 3 ? 0.71f : 0.0f);
        Customer& c = spawnCustomer(i % CustomerTypeCount, i / 4 % 4, 0, x, y);
        c.fed = i * 7 % (c.appetite + 1);
        c.bodyRect.left = i % 8 * c.frameWidth;
        c.hitActive[i % 3] = 1;
        c.friesHitRect = sf::IntRect(129 * (i % 4 - 1), 124 * c.direction, 129, 124);
    }
    refreshCustomerSprites();
    Renderer& renderer = frameRenderer();
    beginDrawing(renderer);
    renderer.frame.clear(sf::Color::Black);
    drawWorld(game, renderer);
    renderer.frame.display();
    const sf::Image got = renderer.frame.getTexture().copyToImage();

    // Each sheet as a texture of its own, found by the stand-in the game's sprites show.
    std::map<const sf::Texture*, sf::Texture> sheets;
    for (const std::string& path : requestedResourcePaths()) {
        const std::string folder = "../resources/textures/client/";
        if (path.compare(0, folder.size(), folder) != 0)
            continue;
        ASSERT_TRUE(sheets[loadTrimmedSheet(path, 1, 1)].loadFromFile(
            GOBBLER_SOURCE_DIR "/resources/textures/client/" + path.substr(folder.size())));
    }
    ASSERT_EQ(sheets.size(), 22u);
    renderer.frame.clear(sf::Color::Black);
    ASSERT_EQ(renderer.queue.size(), 48u * 5);
    for (const DrawItem& item : renderer.queue) {
        ASSERT_TRUE(sheets.count(item.sprite->getTexture()));
        sf::Sprite alone = *item.sprite;
        alone.setTexture(sheets[item.sprite->getTexture()]);
        sf::RenderStates states;
        states.transform.translate(item.at - alone.getPosition());
        renderer.frame.draw(alone, states);
    }
    renderer.frame.display();
    const sf::Image expected = renderer.frame.getTexture().copyToImage();
    int differing = 0;
    for (unsigned y = 0; y < layoutHeight; ++y)
        for (unsigned x = 0; x < layoutWidth; ++x)
            differing += got.getPixel(x, y) != expected.getPixel(x, y);
    EXPECT_EQ(differing, 0);
}

// The map is copied into the frame rather than drawn: the same picture as drawing it. Shown
// anywhere but in its place, it is drawn.
TEST_F(World, TheMapIsCopiedIntoTheFrameAsTheSamePicture) {
    sf::Texture plain;
    ASSERT_TRUE(plain.loadFromFile(GOBBLER_SOURCE_DIR "/resources/textures/map/lvl_1.jpg"));
    // Also once let go of (while another map is played) and brought back, here let go of again
    // while still on its way, then needed.
    for (bool held : {false, true, false})
        holdTexture(game.level.mapTextures[1], held, false);
    holdTexture(game.level.mapTextures[1], true, true);
    Renderer& renderer = frameRenderer();
    beginDrawing(renderer);
    for (const sf::Vector2f at : {sf::Vector2f(0, 0), sf::Vector2f(3, -2)}) {
        sf::Sprite map = game.level.mapSprite;
        map.setPosition(at);
        renderer.frame.clear(sf::Color::Red);
        EXPECT_EQ(drawBackdrop(renderer, map), at == sf::Vector2f(0, 0));
        renderer.frame.display();
        const sf::Image got = renderer.frame.getTexture().copyToImage();
        sf::Sprite drawn(plain);
        drawn.setPosition(at);
        renderer.frame.clear(sf::Color::Red);
        renderer.frame.draw(drawn, sf::BlendNone);
        renderer.frame.display();
        const sf::Image expected = renderer.frame.getTexture().copyToImage();
        const std::size_t bytes = layoutWidth * layoutHeight * 4;
        EXPECT_TRUE(
            std::equal(got.getPixelsPtr(), got.getPixelsPtr() + bytes, expected.getPixelsPtr()))
            << "map at " << at.x << ", " << at.y;
    }
}

TEST_F(World, ProjectileLayersAndFreePedestals) {
    const sf::Texture red = solid(sf::Color::Red);
    const sf::Texture blue = solid(sf::Color::Blue);
    const sf::Texture green = solid(sf::Color::Green);
    const sf::Texture faint = solid(sf::Color(255, 0, 0, 128));
    addProp(blue, 400, 400);

    struct Case {
        int kind, facing;
        bool over;
    };
    // Burgers thrown towards the viewer fly over the room, away from it under; a turning
    // tower's burger (facing 4) is shown over the room rather than not at all.
    const Case cases[] = {{Burger, 0, true},  {Burger, 1, true},  {Burger, 4, true},
                          {Burger, 2, false}, {Burger, 3, false}, {Soda, 0, false},
                          {Soda, 1, false},   {Soda, 4, false}};
    for (const Case& c : cases) {
        game.defence.projectiles.clear();
        addProjectile(red, c.kind, c.facing, 400, 400);
        const sf::Color seen = drawAndRead(420, 420);
        EXPECT_EQ(seen, c.over ? sf::Color::Red : sf::Color::Blue)
            << "kind " << c.kind << " facing " << c.facing;
    }

    // A splash is drawn once, whatever its tower faces.
    game.level.decorations.clear();
    for (int facing : {0, 2, 4}) {
        game.defence.projectiles.clear();
        addProjectile(faint, Soda, facing, 400, 400);
        EXPECT_NEAR(drawAndRead(420, 420).r, 128, 3) << "facing " << facing;
    }
    game.defence.projectiles.clear();

    // A free pedestal is drawn, an occupied one is not (its tower is).
    game.level.slots.emplace_front();
    game.level.slots.front().sprite.setTexture(green, true);
    game.level.slots.front().sprite.setPosition(700, 700);
    EXPECT_EQ(drawAndRead(720, 720), sf::Color::Green);
    game.level.slots.front().occupied = 1;
    EXPECT_EQ(drawAndRead(720, 720), sf::Color::Black);
}

namespace {

// A picture of its own, smaller than the frame, for comparisons by the hundred.
Renderer& sheetRenderer() {
    static Renderer renderer;
    if (renderer.frame.getSize().x == 0)
        renderer.frame.create(800, 720);
    return renderer;
}

sf::Image drawnAlone(const sf::Sprite& sprite, bool trimmed) {
    Renderer& renderer = sheetRenderer();
    renderer.frame.clear(sf::Color(20, 40, 60));
    if (trimmed)
        drawSprite(renderer, sprite);
    else
        renderer.frame.draw(sprite);
    renderer.frame.display();
    return renderer.frame.getTexture().copyToImage();
}

// Draws frames of a sheet whole (from its file) and trimmed (from the stand-in the game uses)
// at each place and compares every pixel. On a whole pixel they must be the same. Where pixel
// centres fall exactly on texel borders (a place ending in .5) the whole sheet itself picks
// either texel as rounding goes; there each pixel must show what the whole frame shows there
// or a hair to either side. Returns the number of frames compared.
int compareTrimmedSheet(const std::string& folder, const std::string& file, sf::Vector2i size,
                        int everyNth, const std::vector<sf::Vector2f>& places) {
    const sf::Texture* standIn = loadTrimmedSheet(folder + file, size.x, size.y);
    EXPECT_NE(standIn, nullptr) << file;
    sf::Texture full;
    EXPECT_TRUE(full.loadFromFile(GOBBLER_SOURCE_DIR "/resources/textures/" +
                                  folder.substr(std::string("../resources/textures/").size()) +
                                  file));
    if (!standIn || full.getSize().x == 0)
        return 0;
    const int columns = static_cast<int>(full.getSize().x) / size.x;
    const int rows = static_cast<int>(full.getSize().y) / size.y;
    int compared = 0;
    for (int cell = 0; cell < columns * rows; cell += everyNth) {
        const sf::IntRect frame((cell % columns) * size.x, (cell / columns) * size.y, size.x,
                                size.y);
        for (const sf::Vector2f& place : places) {
            sf::Sprite sprite(full, frame);
            sprite.setOrigin(static_cast<float>(size.x / 2), static_cast<float>(size.y - 7));
            sprite.setPosition(place);
            sprite.setColor(sf::Color(255, 255, 255, cell % 3 == 0 ? 125 : 255));
            std::vector<sf::Image> whole{drawnAlone(sprite, false)};
            const bool onBorders = place.x != std::floor(place.x) || place.y != std::floor(place.y);
            for (int hair = 0; onBorders && hair < 4; ++hair) {
                sf::Sprite nudged = sprite;
                nudged.move(hair % 2 ? 1 / 64.0f : -1 / 64.0f, hair / 2 ? 1 / 64.0f : -1 / 64.0f);
                whole.push_back(drawnAlone(nudged, false));
            }
            sprite.setTexture(*standIn);
            const sf::Image got = drawnAlone(sprite, true);
            // Everything else is the clear colour in every picture.
            const sf::FloatRect bounds = sprite.getGlobalBounds();
            const unsigned left = static_cast<unsigned>(std::max(bounds.left - 2, 0.0f));
            const unsigned top = static_cast<unsigned>(std::max(bounds.top - 2, 0.0f));
            const unsigned right =
                std::min(got.getSize().x, static_cast<unsigned>(bounds.left + bounds.width + 3));
            const unsigned bottom =
                std::min(got.getSize().y, static_cast<unsigned>(bounds.top + bounds.height + 3));
            for (unsigned y = top; y < bottom; ++y)
                for (unsigned x = left; x < right; ++x) {
                    const sf::Color pixel = got.getPixel(x, y);
                    const bool seen = std::any_of(whole.begin(), whole.end(), [&](const auto& w) {
                        return w.getPixel(x, y) == pixel;
                    });
                    if (!seen)
                        ADD_FAILURE() << file << " frame " << cell << " at " << place.x << ", "
                                      << place.y << ": pixel " << x << ", " << y;
                    if (!seen)
                        return compared;
                }
            ++compared;
        }
    }
    return compared;
}

} // namespace

// Props and tower sheets are kept trimmed; their frames must still land on exactly the pixels
// the whole sheets drew, opaque or see-through, on the pedestals' half pixels too.
TEST_F(World, TrimmedSheetsDrawEveryFrameAsTheWholeSheet) {
    const std::map<std::string, sf::Vector2i> propSheets = {
        {"bornesprite.png", {48, 132}},
        {"borne.png", {48, 132}},
        {"celib borne.png", {60, 147}},
        {"Sprite celib commande.png", {60, 147}},
        {"tele.png", {139, 169}},
        {"gros mange.png", {172, 179}},
        {"gros mange seul.png", {170, 175}},
        {"sprite poubelle face vers droite.png", {60, 112}},
        {"sprite poubelle face vers gauche.png", {60, 112}},
        {"sprite poubelle dos vers droite.png", {60, 112}},
        {"sprite poubelle dos vers gauche.png", {60, 112}}};
    int compared = 0;
    for (const auto& [file, size] : propSheets)
        compared += compareTrimmedSheet("../resources/textures/map/", file, size, 3, {{300, 400}});
    EXPECT_GT(compared, 60);

    // Every tower sheet, on a whole-pixel pedestal and on half pixels in both directions, as on
    // the first map's pedestal at 860.5, 379.5.
    compared = 0;
    for (int type = 0; type < TowerTypeCount; ++type)
        for (int level = 0; level < 3; ++level) {
            const TowerStats& stats = game.defence.towerCatalogue[type][level];
            const char* stems[] = {"frite", "burger", "soda"};
            const std::string file =
                std::string(stems[type]) + " tower lvl_" + std::to_string(level + 1) + ".png";
            compared += compareTrimmedSheet("../resources/textures/tour/", file,
                                            {stats.frameWidth, stats.frameHeight}, 11,
                                            {{400, 600}, {400.5f, 600.5f}});
        }
    EXPECT_GT(compared, 40);
}

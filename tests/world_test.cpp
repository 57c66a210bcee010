// The world pass: the depth order of everything on the floor and the projectile layers.
#include "core/game.h"
#include "core/resources.h"
#include "customers/customers.h"
#include "frame/frame.h"
#include "level/level.h"
#include "support/frame_driver.h"
#include "towers/towers.h"

#include <gtest/gtest.h>

#include <algorithm>
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
        game.tutorialEnabled = 0;
        driver.startLevel(1);
        game.slots.clear();
        game.decorations.clear();
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
        game.decorations.emplace_front();
        Decoration& prop = game.decorations.front();
        prop.sprite.setTexture(texture, true);
        prop.frameRect = sf::IntRect(0, 0, 40, 40);
        prop.x = x;
        prop.y = y;
    }

    Projectile& addProjectile(const sf::Texture& texture, int kind, int facing, float x, float y) {
        game.projectiles.emplace_front();
        Projectile& p = game.projectiles.front();
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
    game.towers.emplace_front();
    Tower& tower = game.towers.front();
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
    game.customers.clear();
    game.towers.clear();
    Customer& c = spawnCustomer(Family, DownLeft, 0, 300, 300);
    c.hitActive[1] = 1;
    drawAndRead(0, 0);
    const auto& queue = frameRenderer().queue;
    ASSERT_EQ(queue.size(), 5u);
    const float depths[] = {299, 300, 300, 301, 301};
    const sf::Texture* textures[] = {c.shadowTexture, game.customerBodyTextures[Family],
                                     game.gaugeTexture, c.burgerHitTexture,
                                     game.satisfactionTexture};
    for (int i = 0; i < 5; ++i) {
        EXPECT_FLOAT_EQ(queue[i].depthY, depths[i]) << i;
        if (textures[i]) {
            EXPECT_EQ(queue[i].sprite->getTexture(), textures[i]) << i;
        }
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
        game.projectiles.clear();
        addProjectile(red, c.kind, c.facing, 400, 400);
        const sf::Color seen = drawAndRead(420, 420);
        EXPECT_EQ(seen, c.over ? sf::Color::Red : sf::Color::Blue)
            << "kind " << c.kind << " facing " << c.facing;
    }

    // A splash is drawn once, whatever its tower faces.
    game.decorations.clear();
    for (int facing : {0, 2, 4}) {
        game.projectiles.clear();
        addProjectile(faint, Soda, facing, 400, 400);
        EXPECT_NEAR(drawAndRead(420, 420).r, 128, 3) << "facing " << facing;
    }
    game.projectiles.clear();

    // A free pedestal is drawn, an occupied one is not (its tower is).
    game.slots.emplace_front();
    game.slots.front().sprite.setTexture(green, true);
    game.slots.front().sprite.setPosition(700, 700);
    EXPECT_EQ(drawAndRead(720, 720), sf::Color::Green);
    game.slots.front().occupied = 1;
    EXPECT_EQ(drawAndRead(720, 720), sf::Color::Black);
}

// Props are kept trimmed; every frame of every prop sheet must still land on exactly the pixels
// the whole sheet drew (props stand on whole pixels), opaque or see-through.
TEST_F(World, TrimmedPropSheetsDrawEveryFrameExactlyAsTheWholeSheet) {
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
    sf::RenderTexture whole;
    ASSERT_TRUE(whole.create(400, 400));
    Renderer& renderer = frameRenderer();
    int framesCompared = 0;
    for (const auto& [file, size] : propSheets) {
        // The very texture the set-ups give the prop (loaded once, shared).
        const sf::Texture* standIn =
            loadTrimmedSheet("../resources/textures/map/" + file, size.x, size.y);
        ASSERT_NE(standIn, nullptr) << file;
        sf::Texture full;
        ASSERT_TRUE(full.loadFromFile(GOBBLER_SOURCE_DIR "/resources/textures/map/" + file));
        const int columns = static_cast<int>(full.getSize().x) / size.x;
        const int rows = static_cast<int>(full.getSize().y) / size.y;
        for (int cell = 0; cell < columns * rows; ++cell) {
            if (cell >= columns && cell % 3 != 0)
                continue; // the first row whole, then every third frame
            const sf::IntRect frame((cell % columns) * size.x, (cell / columns) * size.y, size.x,
                                    size.y);
            sf::Sprite sprite(full, frame);
            sprite.setPosition(100.0f + static_cast<float>(cell % 7),
                               90.0f - static_cast<float>(cell % 5));
            sprite.setColor(sf::Color(255, 255, 255, cell % 3 == 0 ? 125 : 255));
            whole.clear(sf::Color(20, 40, 60));
            whole.draw(sprite);
            whole.display();

            sprite.setTexture(*standIn);
            renderer.frame.clear(sf::Color(20, 40, 60));
            drawSprite(renderer, sprite);
            renderer.frame.display();
            const sf::Image expected = whole.getTexture().copyToImage();
            const sf::Image got = renderer.frame.getTexture().copyToImage();
            for (unsigned y = 0; y < 400; ++y)
                for (unsigned x = 0; x < 400; ++x)
                    ASSERT_EQ(got.getPixel(x, y), expected.getPixel(x, y))
                        << file << " frame " << cell << " at " << x << ", " << y;
            ++framesCompared;
        }
    }
    EXPECT_GT(framesCompared, 60);
}

// The credits: a sign on the cabinet that opens with a coin-slot press, and a tall page that
// the player scrolls by dragging it.
#include "ground/records.h"
#include "ui/records.h"
#include "ui/ui.h"

#include "assets/assets.h"
#include "ground/game.h"
#include "ground/ground.h"

namespace {

constexpr int signFrameWidth = 141, signFrameHeight = 152;
constexpr int lastSignFrame = 7;
constexpr int pageWidth = 747, pageHeight = 1046;
// The page's window stops at the picture's ends (2498 rows tall, a little slack at the top).
constexpr int firstPageRow = -10, lastPageRow = 1452;

} // namespace

void initCredits() {
    game.credits.creditsState = 0;
    game.credits.creditsFrame = 0;
    game.credits.creditsStepTime = 0;
    game.credits.creditsScroll = 0;
    game.credits.creditsDragAnchor = 0;
    game.credits.creditsDragging = 0;
    game.credits.creditsPage =
        makeSprite(loadTexture("../resources/textures/Menu/Credits.png"), 100, 13);
    game.credits.creditsPage.setTextureRect(sf::IntRect(0, 0, pageWidth, pageHeight));
}

void handleCreditsPress() {
    if (game.shared.clickLatch != 0)
        return;
    const int x = game.shared.input.mouseX, y = game.shared.input.mouseY;
    if (1595 <= x && x <= 1760 && 866 <= y && y <= 1063) {
        game.credits.creditsState = 1;
        game.shared.clickLatch = 1;
    } else if (hitTopLeftInclusiveX(game.credits.titleCredits, x, y)) {
        if (game.credits.creditsState == 2)
            game.credits.creditsState = 3;
        else if (game.credits.creditsState == 3)
            game.credits.creditsState = 1;
        game.shared.clickLatch = 1;
    }
}

void stepCreditsSign() {
    if (game.credits.creditsState != 1 || !(game.clock.now - game.credits.creditsStepTime > 0.1f))
        return;
    if (game.credits.creditsFrame > lastSignFrame - 1)
        game.credits.creditsState = 2;
    else
        game.credits.creditsFrame += 1;
    game.credits.titleCredits.setTextureRect(sf::IntRect(signFrameWidth * game.credits.creditsFrame,
                                                         0, signFrameWidth, signFrameHeight));
    game.credits.creditsStepTime = game.clock.now;
}

void dragCreditsPage() {
    if (game.credits.creditsState != 3)
        return;
    if (game.shared.input.leftDown) {
        if (!game.credits.creditsDragging) {
            game.credits.creditsDragAnchor =
                static_cast<float>(game.credits.creditsScroll + game.shared.input.mouseY);
            game.credits.creditsDragging = 1;
        }
        game.credits.creditsScroll =
            static_cast<int>(game.credits.creditsDragAnchor - game.shared.input.mouseY);
    } else {
        game.credits.creditsDragging = 0;
    }
    if (firstPageRow <= game.credits.creditsScroll && game.credits.creditsScroll <= lastPageRow)
        game.credits.creditsPage.setTextureRect(
            sf::IntRect(0, game.credits.creditsScroll, pageWidth, pageHeight));
}

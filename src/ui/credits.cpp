// The credits: a sign on the cabinet that opens with a coin-slot press, and a tall page that
// the player scrolls by dragging it.
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
    game.creditsState = 0;
    game.creditsFrame = 0;
    game.creditsStepTime = 0;
    game.creditsScroll = 0;
    game.creditsDragAnchor = 0;
    game.creditsDragging = 0;
    game.creditsPage = makeSprite(loadTexture("../resources/textures/Menu/Credits.png"), 100, 13);
    game.creditsPage.setTextureRect(sf::IntRect(0, 0, pageWidth, pageHeight));
}

void handleCreditsPress() {
    if (game.clickLatch != 0)
        return;
    const int x = game.input.mouseX, y = game.input.mouseY;
    if (1595 <= x && x <= 1760 && 866 <= y && y <= 1063) {
        game.creditsState = 1;
        game.clickLatch = 1;
    } else if (hitTopLeftInclusiveX(game.titleCredits, x, y)) {
        if (game.creditsState == 2)
            game.creditsState = 3;
        else if (game.creditsState == 3)
            game.creditsState = 1;
        game.clickLatch = 1;
    }
}

void stepCreditsSign() {
    if (game.creditsState != 1 || !(game.now - game.creditsStepTime > 0.1f))
        return;
    if (game.creditsFrame > lastSignFrame - 1)
        game.creditsState = 2;
    else
        game.creditsFrame += 1;
    game.titleCredits.setTextureRect(
        sf::IntRect(signFrameWidth * game.creditsFrame, 0, signFrameWidth, signFrameHeight));
    game.creditsStepTime = game.now;
}

void dragCreditsPage() {
    if (game.creditsState != 3)
        return;
    if (game.input.leftDown) {
        if (!game.creditsDragging) {
            game.creditsDragAnchor = static_cast<float>(game.creditsScroll + game.input.mouseY);
            game.creditsDragging = 1;
        }
        game.creditsScroll = static_cast<int>(game.creditsDragAnchor - game.input.mouseY);
    } else {
        game.creditsDragging = 0;
    }
    if (firstPageRow <= game.creditsScroll && game.creditsScroll <= lastPageRow)
        game.creditsPage.setTextureRect(sf::IntRect(0, game.creditsScroll, pageWidth, pageHeight));
}

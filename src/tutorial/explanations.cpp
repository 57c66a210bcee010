// The two short explanations: the slippery-floor sign of level 2, and the walk to the supplier
// after the first win.
#include "assets/assets.h"
#include "ground/game.h"
#include "ground/ground.h"
#include "ground/records.h"
#include "level/records.h"
#include "persist/persist.h"
#include "persist/records.h"
#include "rating/rating.h"
#include "rating/records.h"
#include "tutorial/records.h"
#include "tutorial/tutorial.h"
#include "tutorial/tutorial_common.h"

namespace {

// ---- the supplier's lesson

// Where a step of the supplier's lesson puts the light.
enum class ShopLight {
    Off,
    Unchanged,
    ShopButton,    // the panel's supplier button
    StarBalance,   // the star count in the cabinet
    UpgradePicture // the level-2 picture of `type`
};

struct ShopStep {
    int step;
    const char* dialogue; // null: the bubble keeps its text
    ShopLight light;
    int type;
};

constexpr ShopStep shopLesson[] = {
    {0,
     N_("Bien joué ! Nous avons réussi notre première mission,\nles choses sérieuses vont enfin "
        "pouvoir commencer !"),
     ShopLight::Off, 0},
    {1, N_("Mais avant toute chose, allons faire un tour chez notre fournisseur !"),
     ShopLight::ShopButton, 0},
    {2,
     N_("Bienvenue chez le Fournisseur.\nEn utilisant les étoiles gagnées durant les niveaux,\nil "
        "est possible de débloquer des améliorations de Nourri'Tours\nqui deviennent ensuite "
        "utilisables durant les parties."),
     ShopLight::StarBalance, 0},
    {3,
     N_("Grâce aux étoiles gagnées lors du premier niveau,\nnous pouvons par exemple débloquer une "
        "amélioration niveau 2 de l'une des Nourri'Tours."),
     ShopLight::UpgradePicture, Burger},
    {4, nullptr, ShopLight::UpgradePicture, Soda},
    {5, nullptr, ShopLight::UpgradePicture, Fries},
    {6, N_("Il est possible à tout moment de réatribuer les étoiles pour changer de stratégie !"),
     ShopLight::Unchanged, 0},
    {7,
     N_("En cas de score parfait dans un niveau,\nle maximum d'étoiles est alors débloqué, alors "
        "donnons le maximum !"),
     ShopLight::Off, 0},
    {8, N_("Le tutoriel est désactivable dans les Options."), ShopLight::Unchanged, 0},
};

constexpr int shopLessonLength = static_cast<int>(sizeof(shopLesson) / sizeof(shopLesson[0]));
// The step after the last one closes the lesson.
constexpr int shopLessonEnd = shopLessonLength;
static_assert(shopLessonEnd == 9, "the supplier's lesson has nine steps before it closes");

constexpr bool shopStepsInOrder() {
    for (int i = 0; i < shopLessonLength; ++i)
        if (shopLesson[i].step != i)
            return false;
    return true;
}
static_assert(shopStepsInOrder(), "every step sits at its own number");

void applyShopLight(const ShopStep& s) {
    switch (s.light) {
    case ShopLight::Off:
        lightOff();
        break;
    case ShopLight::Unchanged:
        break;
    case ShopLight::ShopButton: {
        const sf::Vector2f at = lessonMarks().shopButton->getPosition();
        setSpotlight(at.x, lightBaseY - at.y, 55);
        break;
    }
    case ShopLight::StarBalance: {
        const sf::Vector2f at = lessonMarks().starBalance->getPosition();
        setSpotlight(at.x + 15, lightBaseY - at.y - 35, 50);
        break;
    }
    case ShopLight::UpgradePicture: {
        // The three level-2 pictures share a row: the Fries picture gives its height.
        const float x = lessonMarks().upgradePictures[s.type]->getPosition().x;
        const float y = lessonMarks().upgradePictures[Fries]->getPosition().y;
        setSpotlight(x + 75, lightBaseY - y - 80, 80);
        break;
    }
    }
}

void finishShopLesson() {
    game.lesson.supplierTutorialPending = 0;
    game.progress.supplierTutorialDone = 1;
    // The menus stop drawing the bubble now; nothing of it is left for the next screen.
    game.lesson.dialogue.clear();
    lightOff();
    // Kept at once: the lesson is meant to be seen only once, even if the game is closed
    // before anything else is saved.
    writeSave();
}

void advanceShopLesson() {
    game.lesson.supplierTutorialStep += 1;
    startSpatula();
    game.shared.clickLatch = 1;
}

// ---- the slippery-floor sign

constexpr const char* signExplanation =
    N_("Attention au panneau 'Attention sol glissant',\nce dernier bloque le chemin, forçant les "
       "clients à faire un détour,\nmais ce chemin ne sera pas bloqué éternellement...");

} // namespace

bool level2Explanation() {
    if (game.lesson.level2TutorialClicks == 0) {
        const sf::Vector2f sign = game.obstacle.signSprites[0].getPosition();
        setSpotlight(sign.x + 30, lightBaseY - sign.y + 50, 75);
        showDialogue(signExplanation);
        game.lesson.tutorialRunning = 0;
        game.lesson.tutorialMessageShown = 1;
        return true;
    }
    // Read: the level runs. Several presses may have been counted before the level's next
    // update (a press held while paused), so the explanation goes whatever the count.
    if (game.lesson.level2TutorialClicks == 1 || game.lesson.tutorialMessageShown == 1)
        game.lesson.tutorialRunning = 1;
    game.lesson.tutorialMessageShown = 0;
    // Nothing else speaks on this level: no bubble or light left over from another lesson.
    lightOff();
    game.lesson.dialogue.clear();
    return false;
}

void startShopLessonAfterFirstWin() {
    if (game.rating.levelWon == 0 || progressLevel() != 1 ||
        game.progress.supplierTutorialDone != 0 || game.lesson.supplierTutorialPending != 0)
        return;
    game.lesson.supplierTutorialPending = 1;
    game.lesson.supplierTutorialStep = 0;
}

void supplierTutorialDisplay() {
    const int step = game.lesson.supplierTutorialStep;
    if (step >= shopLessonEnd) {
        finishShopLesson();
        return;
    }
    if (step < 0)
        return;
    const ShopStep& s = shopLesson[step];
    if (s.dialogue)
        showDialogue(s.dialogue);
    applyShopLight(s);
}

void supplierTutorialClick() {
    if (game.shared.clickLatch != 0 || game.lesson.supplierTutorialStep >= shopLessonEnd)
        return;
    if (game.lesson.supplierTutorialStep == 1) {
        // Only the way to the supplier leads on.
        if (!hitCentred(*lessonMarks().shopButton, game.shared.input.mouseX,
                        game.shared.input.mouseY))
            return;
        game.shared.screen = Shop;
    }
    advanceShopLesson();
}

// The first level's guided lesson: 39 steps of dialogue, where the light falls, when the level
// stands still, and the presses that move the lesson on.
#include "customers/records.h"
#include "ground/game.h"
#include "ground/ground.h"
#include "ground/records.h"
#include "lang/lang.h"
#include "level/level.h"
#include "level/records.h"
#include "persist/persist.h"
#include "persist/records.h"
#include "towers/records.h"
#include "towers/towers.h"
#include "tutorial/records.h"
#include "tutorial/tutorial.h"
#include "tutorial/tutorial_common.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// Where a step puts the light. Light points are (x, y) with y counted up from the bottom.
enum class Light {
    Off,
    Fixed,      // (x, y)
    OnButton,   // (button x + x, 1080 - button y - y), the button given by `button`
    OnCustomer, // the featured customer and its gauge, by the frame height of `customerType`
};

// The pictures a step can light.
enum class Button { None, Fries, Burger, Sell, Timer, Speed, Pause };

// What a step does to the level's clock.
enum class Flow {
    Hold,    // nothing: the level keeps whatever state it is in
    Run,     // the first wave may come
    RunWave, // the level runs to its end; a wave clock held by the lesson starts afresh
    Freeze,  // a newcomer is shown: the customers stand still
    Resume,  // the customers walk again; the bubble and the light go
};

struct LessonStep {
    int step;
    const char* dialogue;
    Light light;
    float x, y, radius;
    Button button;
    int customerType;
    Flow flow;
};

constexpr LessonStep off(int step, const char* text, Flow flow = Flow::Hold) {
    return {step, text, Light::Off, 0, 0, 0, Button::None, 0, flow};
}
constexpr LessonStep fixed(int step, const char* text, float x, float y, float radius) {
    return {step, text, Light::Fixed, x, y, radius, Button::None, 0, Flow::Hold};
}
constexpr LessonStep onButton(int step, const char* text, Button button, float dx, float dy,
                              float radius) {
    return {step, text, Light::OnButton, dx, dy, radius, button, 0, Flow::Hold};
}
// The light on a newcomer takes in its body and the appetite gauge over its head, both
// inside the light's fully lit part.
constexpr LessonStep onCustomer(int step, const char* text, int type) {
    return {step, text, Light::OnCustomer, 0, 0, 125, Button::None, type, Flow::Freeze};
}
constexpr LessonStep resume(int step) {
    return off(step, "", Flow::Resume);
}

constexpr LessonStep lesson[] = {
    off(0, N_("Bienvenue dans le tutoriel de Snack Spire!\n Aujourd'hui nous allons voir ensemble "
              "les bases du jeu.")),
    off(1, N_("L'objectif est d'être le fast food le mieux noté par Trap-Advisor.")),
    off(2, N_("Pour se faire, il faudra satisfaire l'appétit des clients\n lors de leur entrée en "
              "salle avant qu'ils atteignent la sortie !")),
    fixed(3,
          N_("Pour nourrir le client,\ndes Nourri'Tours doivent être placées sur des endroits "
             "prédéfinis.\nEn cliquant sur les socles vides, l'onglet de sélection des "
             "Nourri'Tours apparaît."),
          1376, 405.5f, 100),
    onButton(4, N_("Commençons par placer une Nourri'Tour Frite à l'emplacement indiqué."),
             Button::Fries, 0, 0, 60),
    off(5,
        N_("Cette dernière est utile pour assaillir\nles clients en continu à l'aide de salves de "
           "frites bien délicieuses!")),
    fixed(6,
          N_("Chaque placement coûte de l'argent ,\ncet argent est gagné en récompense de la "
             "satisfaction de chaque client."),
          1741, 1011, 150),
    fixed(7,
          N_("Il reste assez pour placer une Nourri'Tour Soda.\nPlaçons cette dernière au "
             "virage\nafin de profiter au maximum de son effet ralentissant !"),
          1202.5f, 504.5f, 100),
    fixed(8, "", 1306.5f, 550, 50),
    fixed(9,
          N_("En cliquant sur une Nourri'Tour placée en salle,\nun onglet apparaît ainsi que sa "
             "portée d'effet."),
          1356, 440, 100),
    fixed(10, "", 1250, 126.5f, 255),
    onButton(11,
             N_("Il est possible de revendre une Nourri'Tour,\nplacée, pour la moitié de son "
                "prix.\nEn cliquant en dehors de l'onglet, il disparait."),
             Button::Sell, 0, 20, 50),
    off(12, N_("La première vague va maintenant commencer,\nobservons comment les Nourri'Tours "
               "interagissent avec les clients.")),
    off(13, "", Flow::Run),
    onCustomer(
        14,
        N_("Voici le Célibataire, un client des plus normal,\nau dessus de sa tête se trouve "
           "sa jauge d'appétit.\nUne fois remplie, le client est satisfait et laissera\nune "
           "bonne note en sortant de la salle, c'est ce que nous voulons !"),
        Bachelor),
    resume(15),
    fixed(16,
          N_("Bien joué! Nous avons réussi à satisfaire la première vague de clients !\nOn peut "
             "lire les commentaires des clients sur le service\nde notre restaurant et ainsi voir "
             "leurs appréciations."),
          1741, 285, 200),
    fixed(17,
          N_("Nous sommes notés par chaque client qui sort de la salle\net cette note change en "
             "direct notre indice de recommandation sur Trap-Advisor!"),
          1741, 831, 150),
    fixed(18,
          N_("Pour réussir la mission,\nla note en cours doit être supérieure à "
             "l'objectif\nlorsqu'il n'y a plus d'entrée de client."),
          1741, 651, 150),
    off(19, N_("Si l'objectif n'est pas dépassé\nà la fin du niveau, la partie est perdue.")),
    off(20,
        N_("Nous avons pu récupérer de l'argent grâce au dernier chiffre d'affaire\nde la vague "
           "précédente, profitons en pour ajouter\nune Nourri'Tour Burger à l'entrée !")),
    fixed(21,
          N_("Ces dernières envoient à intervalles longs de gros burgers\nqui rassasient les "
             "clients."),
          860, 700, 100),
    onButton(22, "", Button::Burger, 0, 20, 55),
    off(23,
        N_("Pour plus d'information sur les Nourri'Tours,\nl'onglet Aides du menu principal est "
           "à disposition.")),
    onButton(24, N_("Il est toutefois possible de passer directement à la vague suivante."),
             Button::Timer, 0, 0, 220),
    onButton(25, N_("Il est possible d'accélérer la vitesse."), Button::Speed, 40, 30, 40),
    onButton(26, N_("Ainsi que de mettre le jeu en pause pour analyser la situation."),
             Button::Pause, 21, 35, 40),
    off(27, "", Flow::RunWave),
    onCustomer(28,
               N_("Attention, voici un homme d'affaire !\nCe type de client est beaucoup plus "
                  "rapide que le Célibataire, mais a moins d'appétit."),
               BusinessMan),
    resume(29),
    onCustomer(30,
               N_("La famille apparaît, ces clients sont les plus lents, mais disposent du plus "
                  "grand appétit."),
               Family),
    off(31, N_("Les clients ont de plus en plus faim !\nAvec l'argent gagné, plaçons une autre "
               "Nourri'Tour Burger près de la sortie.")),
    fixed(32, "", 946, 155, 100),
    onButton(33, "", Button::Burger, 0, 20, 55),
    resume(34),
    onCustomer(35,
               N_("Voilà l'enrobé, très pressé de manger, ce client a très faim et se déplace "
                  "rapidement."),
               BigEater),
    fixed(36,
          N_("Pour de tels appétits, il faut encore plus de burgers :\nplaçons une Nourri'Tour "
             "Burger ici avec l'argent gagné !"),
          1032, 405, 100),
    onButton(37, "", Button::Burger, 0, 20, 55),
    resume(38),
};

constexpr int lessonLength = static_cast<int>(sizeof(lesson) / sizeof(lesson[0]));
static_assert(lessonLength == LessonStepCount, "one row per step of the lesson");

constexpr bool numberedInOrder() {
    for (int i = 0; i < lessonLength; ++i)
        if (lesson[i].step != i)
            return false;
    return true;
}
static_assert(numberedInOrder(), "every step sits at its own number");

// The first map's pedestals the click steps ask for, by their place in the map's pedestal
// table: the Burger at the entrance, the Fries and the Soda at the turn, then the Burgers bought
// with the money of the first waves, in the middle of the room and on the last stretch before
// the exit.
constexpr int entrancePedestal = 1, friesPedestal = 2, sodaPedestal = 3, middlePedestal = 4,
              exitPedestal = 5;

const sf::Sprite* buttonSprite(Button button) {
    switch (button) {
    case Button::Fries:
        return &game.defence.buildButtons[Fries];
    case Button::Burger:
        return &game.defence.buildButtons[Burger];
    case Button::Sell:
        return &game.defence.sellButton;
    case Button::Timer:
        return lessonMarks().countdownTimer;
    case Button::Speed:
        return lessonMarks().speedButton;
    case Button::Pause:
        return lessonMarks().pauseButton;
    case Button::None:
        break;
    }
    return nullptr;
}

void applyLight(const LessonStep& s) {
    switch (s.light) {
    case Light::Off:
        lightOff();
        break;
    case Light::Fixed:
        setSpotlight(s.x, s.y, s.radius);
        break;
    case Light::OnButton:
        if (const sf::Sprite* button = buttonSprite(s.button)) {
            const sf::Vector2f at = button->getPosition();
            setSpotlight(at.x + s.x, lightBaseY - at.y - s.y, s.radius);
        }
        break;
    case Light::OnCustomer:
        // A customer that has left takes nothing with it: the light stays where it was.
        if (const Customer* featured = game.crowd.featuredCustomer) {
            const float height =
                static_cast<float>(game.crowd.customerTypes[s.customerType].frameHeight) +
                featured->gaugeSprite.getGlobalBounds().height;
            setSpotlight(featured->x, lightBaseY - featured->y + height / 2, s.radius);
        }
        break;
    }
}

// How far inside the picture a newcomer's gauge must be before the lesson shows it: clear of
// the door, where the next newcomers come in over it.
constexpr float gaugeInside = 60;

// Whether the featured customer, with the appetite gauge over its head, is well inside the
// window: a newcomer walks in from beyond its top edge.
bool featuredInView() {
    const Customer* c = game.crowd.featuredCustomer;
    if (!c)
        return true; // gone: nothing to wait for
    const sf::FloatRect gauge = c->gaugeSprite.getGlobalBounds();
    const float halfBody = static_cast<float>(c->frameWidth) / 2;
    const float left = std::min(c->x - halfBody, c->x - 50);
    const float right = std::max(c->x + halfBody, c->x - 50 + gauge.width);
    const float top = c->y - static_cast<float>(c->frameHeight) - gauge.height;
    return left >= 0 && right <= static_cast<float>(layoutWidth) && top >= gaugeInside &&
           c->y <= static_cast<float>(layoutHeight);
}

void applyFlow(Flow flow) {
    switch (flow) {
    case Flow::Hold:
        break;
    case Flow::Run:
        game.lesson.tutorialRunning = 1;
        break;
    case Flow::RunWave:
        if (game.lesson.tutorialRunning == 0)
            game.waveClock.waveClockStart = game.clock.now;
        game.lesson.tutorialRunning = 1;
        break;
    case Flow::Freeze:
        if (game.lesson.tutorialRunning == 1)
            freezeFromNow(); // the freeze starts here, not at the newcomer
        game.lesson.tutorialRunning = 0;
        break;
    case Flow::Resume:
        // The time the customers stood still is left out of the wave clock, once.
        if (game.lesson.tutorialRunning == 0)
            leaveFrozenTimeOut(game.waveClock.gameSpeed);
        lightOff();
        game.lesson.tutorialRunning = 1;
        break;
    }
}

void advance() {
    game.lesson.tutorialStep += 1;
    startSpatula();
}

// Whether a pedestal is the first map's pedestal `index`.
bool isPedestal(const TowerSlot* slot, int index) {
    const sf::Vector2f place = pedestalPlace(1, index);
    return slot && slot->x == place.x && slot->y == place.y;
}

// Steps 3, 7, 21, 32 and 36: only the free pedestal the light shows opens its build menu.
void pressPedestal(int index) {
    TowerSlot* slot = freePedestalUnderPointer();
    if (!isPedestal(slot, index))
        return;
    openBuildMenu(*slot);
    advance();
}

// Steps 4, 8, 22, 33 and 37: the shown build button builds on the open pedestal.
void pressBuildButton(int type, bool needsMoney) {
    if (buildChosenTower(type, !needsMoney) != BuildPress::Built)
        return;
    game.defence.towerMenu = Closed;
    advance();
}

// Step 9: the Fries tower just built opens its menu, with the sell button only.
void pressTower() {
    Tower* tower = towerUnderPointer();
    if (!tower || !isPedestal(tower->slot, friesPedestal))
        return;
    openTowerMenu(*tower);
    if (tower->level == 0)
        game.defence.towerMenu = SellOnly;
    advance();
}

// The steps that let the level run: its presses belong to the level.
bool ignoredWhileRunning(int step) {
    const Flow flow = lesson[step].flow;
    return flow == Flow::Run || flow == Flow::RunWave || flow == Flow::Resume;
}

// What a press does at each step that asks for one; any other step reads on.
enum class Press { Pedestal, BuildButton, BuildOnCredit, FriesTower, AwayFromSell, Timer };

struct StepPress {
    int step;
    Press press;
    int which; // the pedestal (its place in the first map's table), or the tower type
};

constexpr StepPress stepPresses[] = {
    {StepFriesPedestal, Press::Pedestal, friesPedestal},
    {StepFriesButton, Press::BuildButton, Fries},
    {StepSodaPedestal, Press::Pedestal, sodaPedestal},
    {StepSodaButton, Press::BuildButton, Soda},
    {StepFriesTower, Press::FriesTower, 0},
    {StepSell, Press::AwayFromSell, 0},
    {StepBurgerPedestal, Press::Pedestal, entrancePedestal},
    // The lesson pays for its Burgers if the till runs short.
    {StepBurgerButton, Press::BuildOnCredit, Burger},
    {StepTimer, Press::Timer, 0},
    {StepExitPedestal, Press::Pedestal, exitPedestal},
    {StepExitButton, Press::BuildOnCredit, Burger},
    {StepMiddlePedestal, Press::Pedestal, middlePedestal},
    {StepMiddleButton, Press::BuildOnCredit, Burger},
};

// Whether any press reads the step on, wherever it lands (no pedestal, button or tower asked).
bool readsOnAnywhere(int step) {
    const auto rule = std::find_if(std::begin(stepPresses), std::end(stepPresses),
                                   [step](const StepPress& p) { return p.step == step; });
    return rule == std::end(stepPresses) || rule->press == Press::AwayFromSell ||
           rule->press == Press::Timer;
}

void pressForStep(int step) {
    const auto rule = std::find_if(std::begin(stepPresses), std::end(stepPresses),
                                   [step](const StepPress& p) { return p.step == step; });
    if (rule == std::end(stepPresses)) {
        advance();
        return;
    }
    switch (rule->press) {
    case Press::Pedestal:
        pressPedestal(rule->which);
        break;
    case Press::BuildButton:
    case Press::BuildOnCredit:
        pressBuildButton(rule->which, rule->press == Press::BuildButton);
        break;
    case Press::FriesTower:
        pressTower();
        break;
    case Press::AwayFromSell:
        // The sell button neither sells nor reads on; anywhere else closes the menu.
        if (!hitCentred(game.defence.sellButton, game.shared.input.mouseX,
                        game.shared.input.mouseY)) {
            game.defence.towerMenu = Closed;
            advance();
        }
        break;
    case Press::Timer:
        // Any press reads on; one on the timer calls the next wave at once.
        if (hitCentred(*lessonMarks().countdownTimer, game.shared.input.mouseX,
                       game.shared.input.mouseY))
            game.waveClock.countdown = 0;
        advance();
        break;
    }
}

} // namespace

void tutorialStepDisplay() {
    // The first map's script has reached a step of its own (a newcomer, the first wave fed):
    // the lesson holds the level there.
    if (game.waves.lessonCue != 0) {
        game.lesson.tutorialStep = game.waves.lessonCue;
        game.lesson.tutorialRunning = 0;
        game.waves.lessonCue = 0;
    }
    animateSpatula();
    if (game.lesson.tutorialStep < 0 || game.lesson.tutorialStep >= lessonLength)
        return;
    const LessonStep& s = lesson[game.lesson.tutorialStep];
    if (s.light == Light::OnCustomer && !featuredInView()) {
        // The step tells about the newcomer and its gauge: it waits, the level running, until
        // the newcomer has come wholly into view.
        game.lesson.tutorialRunning = 1;
        return;
    }
    if (game.lesson.shownStep != game.lesson.tutorialStep) {
        game.lesson.shownStep = game.lesson.tutorialStep;
        game.lesson.stepShownAt = game.clock.now;
        // A newcomer stops the level: a tower menu left open would stay drawn, answering nothing.
        if (s.flow == Flow::Freeze)
            closeTowerMenu();
    }
    showDialogue(s.dialogue);
    applyLight(s);
    applyFlow(s.flow);
}

bool firstLessonOn() {
    // Its last step only lets the level run on: there is nothing left to skip.
    return game.progress.tutorialEnabled != 0 &&
           (game.shared.currentLevel == 0 || game.shared.currentLevel == 1) &&
           game.lesson.tutorialStep < lessonLength - 1;
}

void skipLesson() {
    game.progress.tutorialEnabled = 0;
    game.lesson.tutorialRunning = 1;
    game.lesson.dialogue.clear();
    lightOff();
    closeTowerMenu();
    // Kept at once, as the options' tutorial box keeps it.
    writeSave();
}

bool lessonTakesPresses() {
    if (game.progress.tutorialEnabled == 0 ||
        (game.shared.currentLevel != 0 && game.shared.currentLevel != 1))
        return false;
    const int step = game.lesson.tutorialStep;
    // While the level runs, and once the lesson is over, presses belong to the level; so do
    // they while a step about a newcomer waits for it to come into view.
    return step >= 0 && step < lessonLength && !ignoredWhileRunning(step) &&
           !(lesson[step].flow == Flow::Freeze && game.lesson.tutorialRunning == 1);
}

int lessonBuildsOnCredit(const GameSight& state) {
    if (state.progress.tutorialEnabled == 0 ||
        (state.shared.currentLevel != 0 && state.shared.currentLevel != 1))
        return -1;
    for (const StepPress& rule : stepPresses)
        if (rule.step == state.lesson.tutorialStep && rule.press == Press::BuildOnCredit)
            return rule.which;
    return -1;
}

void tutorialClick() {
    if (game.shared.clickLatch != 0)
        return;
    if (game.shared.currentLevel == 2) {
        // The sign's explanation counts presses; the press itself goes on to the level.
        game.lesson.level2TutorialClicks += 1;
        return;
    }
    // Under the pause the room waits, and so does the lesson's text.
    if (!lessonTakesPresses() || game.waveClock.paused != 0)
        return;
    const float shownFor =
        static_cast<float>(game.shared.input.clockMs) / 1000.0f - game.lesson.stepShownAt;
    const bool justShown =
        game.lesson.shownStep != game.lesson.tutorialStep || shownFor < lessonReadingDelay;
    if (!(readsOnAnywhere(game.lesson.tutorialStep) && justShown))
        pressForStep(game.lesson.tutorialStep);
    game.shared.clickLatch = 1;
}

// Customer reviews: the live panel and the end-of-level reviews.
#include "rating/rating.h"
#include "rating/records.h"

#include "assets/assets.h"
#include "ground/game.h"

#include <cstdlib>

namespace {

constexpr int badCount = 4, mediumCount = 3, goodCount = 4;

// What a hungry customer writes, per CustomerType.
constexpr const char* badReviews[CustomerTypeCount][badCount] = {
    {N_("J'avais encore faim\nen sortant."), N_("Ça manque de boisson\nforte !"),
     N_("Je n'ai eu que des frites,\n c'est normal ?"), N_("J'ai été mieux servi au\nFood Rush.")},
    {N_("Pas très adapté pour\nun enfant, c'est dommage."), N_("Bibine a vomi son repas."),
     N_("Trop bruyant, on ne\ns'entend plus manger,\ncourir et sortir."),
     N_("J'ai reçu un burger à la figure.")},
    {N_("Mal au ventre au bout\nde 5 burgers."),
     N_("Pas assez de nourriture,\nje reviendrai après la\nfermeture du Belly Food."),
     N_("J'avais encore beaucoup\ntrop faim en sortant."), N_("Mon ventre crie famine !")},
    {N_("Ça manque un peu de vie !"), N_("Au Food & Furious\nle service était\nplus rapide !"),
     N_("J'ai failli glisser !"), N_("J'ai reçu un burger\n à la figure.")},
};

// What a half-fed customer writes.
constexpr const char* mediumReviews[CustomerTypeCount][mediumCount] = {
    {N_("Pas mal, mais le\nCrousty'Croc proposait des\nfrites plus croustillantes."),
     N_("Des choses à améliorer\nmais je reviendrai."),
     N_("Ça manque de gente\nféminine,heureusement\nqu'on y vient pour manger.")},
    {N_("La nourriture pour enfant\nest délicieuse mais\nmanque de variété."),
     N_("Bonne nourriture\nmais manque de choix."),
     N_("Agawakapoué!\nBibine dit qu'elle\naurait voulu un jouet.")},
    {N_("Le chemin est un peu\nétroit mais on s'y fait."),
     N_("Les frites sont sèches,\nle soda vient corriger ça."),
     N_("Pas fou-fou mais je viens\n car c'est de la nourriture.")},
    {N_("Il y a un potentiel\n à exploiter."),
     N_("La boisson est un peu\nsalissante... mais bien\npétillante!"),
     N_("Je suis arrivé vraiment\njuste-juste à\nmon rendez-vous !")},
};

// What a well-fed customer writes.
constexpr const char* goodReviews[CustomerTypeCount][goodCount] = {
    {N_("Pas mauvais !\nTrès bon service !"), N_("C'était vraiment...\n'Snack' !"),
     N_("Je repasserai demain !"), N_("Bonne ambiance et\nservice irréprochable.")},
    {N_("Bibine a adoré le repas,\nsurtout le burger !"),
     N_("Très animé et coloré,\nsuper repas !"), N_("Je recommande\npour la famille !"),
     N_("Un digne successeur\ndu McDingo !")},
    {N_("J'y retourne demain !"), N_("Pas besoin de faire la queue,\nj'ai pu manger à volonté !"),
     N_("Le Burger était vraiment\ntrès bon, les frites aussi,\net la boisson aussi !"),
     N_("On y mange mieux\nqu'au Burger Roi !")},
    {N_("Service rapide\net efficace !"), N_("Très bonne nourriture,\nj'en parlerai \nau commité."),
     N_("Le sol adhère bien !"), N_("Les locaux sont plus\npropres qu'au\nCrado'Burger.")},
};

static_assert(sizeof(badReviews) / sizeof(badReviews[0]) == CustomerTypeCount, "one row per type");
static_assert(sizeof(mediumReviews[0]) / sizeof(mediumReviews[0][0]) == mediumCount, "3 texts");
static_assert(sizeof(goodReviews[0]) / sizeof(goodReviews[0][0]) == goodCount, "4 texts");

constexpr const char* faceFiles[CustomerTypeCount] = {
    "../resources/textures/hud/celibFace.png", "../resources/textures/hud/familleFace.png",
    "../resources/textures/hud/grosFace.png", "../resources/textures/hud/businessManFace.png"};

// The HUD's reviews: 12 pixels high still in a window of 1194 x 672 (a 1366 x 768 desktop's),
// in lines no wider than the panel, four of them close enough to stay in their slot.
constexpr unsigned reviewTextSize = 20;
constexpr float reviewWidth = 252;
constexpr float reviewLineSpacing = 0.85f;

constexpr const char* starStripPath = "../resources/textures/hud/Stars2.png";
constexpr const char* voidFacePath = "../resources/textures/hud/void.png";

constexpr float endStarPositions[4][2] = {{680, 160}, {680, 400}, {680, 630}, {680, 860}};
constexpr float endTextPositions[4][2] = {{690, 190}, {690, 430}, {690, 660}, {690, 890}};

sf::IntRect starRect(int frame) {
    return sheetFrame(starStripSheet, frame);
}

int validType(int type) {
    return type >= 0 && type < CustomerTypeCount ? type : Bachelor;
}

// The review a customer with fed F of appetite A writes (one draw).
const char* drawReview(int type, int fed, int appetite) {
    if (appetite <= 0 || fed > appetite * 60 / 100)
        return goodReviews[type][std::rand() % goodCount];
    if (fed > appetite * 40 / 100)
        return mediumReviews[type][std::rand() % mediumCount];
    return badReviews[type][std::rand() % badCount];
}

} // namespace

void loadReviews() {
    game.reviews.currentReviewText = makeText("", reviewTextSize, sf::Color::White, 1652, 755);
    game.reviews.currentReviewText.setLineSpacing(reviewLineSpacing);
    game.reviews.previousReviewText = game.reviews.currentReviewText;
    game.reviews.previousReviewText.setPosition(1652, 885);
    const sf::Texture* strip = loadTexture(starStripPath);
    game.reviews.currentStars = makeSprite(strip, 1640, 735);
    game.reviews.currentStars.setScale(0.2f, 0.2f);
    game.reviews.previousStars = game.reviews.currentStars;
    game.reviews.previousStars.setPosition(1640, 865);
    game.reviews.currentFace = makeSprite(nullptr, 1570, 745);
    game.reviews.previousFace = makeSprite(nullptr, 1570, 875);
    for (int type = 0; type < CustomerTypeCount; ++type)
        game.reviews.faceTextures[type] = loadTexture(faceFiles[type]);
    for (int row = 0; row < 4; ++row) {
        game.reviews.endStars[row] =
            makeSprite(strip, endStarPositions[row][0], endStarPositions[row][1]);
        game.reviews.endStars[row].setScale(0.3f, 0.3f);
        game.reviews.endStars[row].setTextureRect(starRect(0));
        game.reviews.endTexts[row] =
            makeText("", 35, sf::Color::Black, endTextPositions[row][0], endTextPositions[row][1]);
    }
    resetReviews();
}

void resetReviews() {
    game.reviews.currentReview.clear();
    game.reviews.previousReview.clear();
    game.reviews.currentStarsRect = game.reviews.previousStarsRect = sf::IntRect(0, 0, 0, 0);
    game.reviews.currentStarsVisible = game.reviews.previousStarsVisible = 0;
    game.reviews.reviewsWritten = 0;
    const sf::Texture* blank = loadTexture(voidFacePath);
    setSpriteTexture(game.reviews.currentFace, blank, true);
    setSpriteTexture(game.reviews.previousFace, blank, true);
    showReviews();
}

void writeReview(const Customer& customer) {
    const int type = validType(customer.type);
    const int appetite = customer.appetite;
    const int fed = customer.fed;

    game.reviews.previousReview = game.reviews.currentReview;
    game.reviews.previousStarsRect = game.reviews.currentStarsRect;
    setSpriteTexture(game.reviews.previousFace, game.reviews.currentFace.getTexture(), true);
    setSpriteTexture(game.reviews.currentFace, game.reviews.faceTextures[type], true);

    // Half-stars by tenth of the appetite; a customer with no appetite counts as full.
    int halfStars =
        appetite > 0 ? static_cast<int>(static_cast<long long>(fed) * 100 / appetite) / 10 : 10;
    halfStars = halfStars < 0 ? 0 : halfStars > 10 ? 10 : halfStars;
    game.reviews.currentStarsRect = starRect(halfStars);

    // Every table row holds at least three different texts, so this ends.
    const char* text = drawReview(type, fed, appetite);
    while (game.reviews.previousReview == text)
        text = drawReview(type, fed, appetite);
    game.reviews.currentReview = text;

    game.reviews.reviewsWritten += 1;
    if (game.reviews.reviewsWritten >= 1)
        game.reviews.currentStarsVisible = 1;
    if (game.reviews.reviewsWritten >= 2)
        game.reviews.previousStarsVisible = 1;
}

void showReviews() {
    game.reviews.currentReviewText.setString(
        wrapText(utf8(tr(game.reviews.currentReview)), reviewTextSize, reviewWidth));
    game.reviews.previousReviewText.setString(
        wrapText(utf8(tr(game.reviews.previousReview)), reviewTextSize, reviewWidth));
    game.reviews.currentStars.setTextureRect(game.reviews.currentStarsRect);
    game.reviews.previousStars.setTextureRect(game.reviews.previousStarsRect);
}

void chooseEndReviews() {
    if (game.reviews.endReviewsChosen)
        return;
    const float r = game.rating.RatingScore;
    if (!(r >= 0.0f && r < 12.0f))
        return;
    game.reviews.endReviewsChosen = 1;
    for (int type = 0; type < CustomerTypeCount; ++type) {
        int frame = 0;
        const char* text = nullptr;
        if (r == 0.0f) {
            text = badReviews[type][std::rand() % badCount];
        } else if (r <= 4.0f) {
            frame = std::rand() % 4;
            text = badReviews[type][std::rand() % badCount];
        } else if (r <= 6.0f) {
            frame = 4 + std::rand() % 2;
            text = mediumReviews[type][std::rand() % mediumCount];
        } else {
            frame = 6 + std::rand() % 4;
            text = goodReviews[type][std::rand() % goodCount];
        }
        game.reviews.endStars[type].setTextureRect(starRect(frame));
        game.reviews.endTexts[type].setString(utf8(tr(text)));
    }
}

// What the reviews draw: the live panel and the four end-of-level reviews.
#include "rating/rating.h"
#include "rating/records.h"

void drawReviewPanel(const GameSight& g, Renderer& r) {
    r.frame.draw(g.reviews.currentReviewText);
    r.frame.draw(g.reviews.previousReviewText);
    if (g.reviews.currentStarsVisible)
        r.frame.draw(g.reviews.currentStars);
    if (g.reviews.previousStarsVisible)
        r.frame.draw(g.reviews.previousStars);
    r.frame.draw(g.reviews.currentFace);
    r.frame.draw(g.reviews.previousFace);
}

void drawEndReviews(const GameSight& g, Renderer& r) {
    for (const sf::Text& text : g.reviews.endTexts)
        r.frame.draw(text);
    for (const sf::Sprite& stars : g.reviews.endStars)
        r.frame.draw(stars);
}

// What the reviews draw: the live panel and the four end-of-level reviews.
#include "rating/rating.h"

void drawReviewPanel(const GameState& g, Renderer& r) {
    r.frame.draw(g.currentReviewText);
    r.frame.draw(g.previousReviewText);
    if (g.currentStarsVisible)
        r.frame.draw(g.currentStars);
    if (g.previousStarsVisible)
        r.frame.draw(g.previousStars);
    r.frame.draw(g.currentFace);
    r.frame.draw(g.previousFace);
}

void drawEndReviews(const GameState& g, Renderer& r) {
    for (const sf::Text& text : g.endTexts)
        r.frame.draw(text);
    for (const sf::Sprite& stars : g.endStars)
        r.frame.draw(stars);
}

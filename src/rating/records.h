// The records of the rating: the live rating, the till and the level's end; the reviews. Each is
// written by this folder and the folders above it; the layers below only read it
// (ground/records.h).
#pragma once

#include "ground/types.h"

#include <SFML/Graphics.hpp>

#include <list>
#include <memory>
#include <string>

// Rating, the till and the level's end.
struct RatingRecord {
    float RatingScore = 0;
    float levelObjective = 0;
    int exitedCount = 0;
    int money = 0;
    int levelWon = 0, levelLost = 0;
};

// Reviews.
struct ReviewsRecord {
    std::string currentReview, previousReview;
    sf::IntRect currentStarsRect, previousStarsRect;
    int currentStarsVisible = 0, previousStarsVisible = 0;
    int reviewsWritten = 0;
    sf::Text currentReviewText, previousReviewText;
    sf::Sprite currentStars, previousStars;
    sf::Sprite currentFace, previousFace;
    const sf::Texture* faceTextures[CustomerTypeCount] = {};
    sf::Sprite endStars[4];
    sf::Text endTexts[4];
    int endReviewsChosen = 0;
};

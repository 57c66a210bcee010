// Rating and reviews: the live rating, payments, the level's end, the review texts.
#pragma once

#include "ground/records.h"
#include "render/render.h"

// The level number 1..3 that progress is kept under (the tutorial level counts as level 1).
int progressLevel();
// Rating change of a customer leaving with fed F of appetite A.
double ratingChange(int fed, int appetite);
// Money a customer leaving with fed F of appetite A and the given reward pays.
int exitPayment(int fed, int appetite, int reward);
// The band k of a rating, k <= rating < k + 1 for k in 0..10; -1 outside that range.
int ratingBand(float rating);
// Stars a best rating is worth (0..5).
int starsForRating(float rating);
// Frame (0..10) of a star strip for a value, as the HUD shows it.
int starFrame(float value);

// Moves the rating for a customer reaching the exit (sounds included).
void rateExit(Customer& customer);
// Counts, pays and takes the review of a leaving customer (who is then removed).
void settleExit(const Customer& customer);
// Decides won or lost once the last wave is over.
void checkLevelEnd();
// Keeps the rating within 0..10.
void clampRating();

// Fills the review tables' panel objects.
void loadReviews();
// Empties the live review panel (level set-up).
void resetReviews();
// Makes a leaving customer's review the current one.
void writeReview(const Customer& customer);
// Gives the panel objects the current strings and frames.
void showReviews();
void drawReviewPanel(const GameSight& state, Renderer& renderer);
// Chooses the four end-of-level reviews once per level end.
void chooseEndReviews();
void drawEndReviews(const GameSight& state, Renderer& renderer);

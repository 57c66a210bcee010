// Customer reviews: the live panel and the end-of-level reviews.
#include "rating/rating.h"

void loadReviews() {}
void resetReviews() {}
void writeReview(const Customer&) {}
void showReviews() {}
void drawReviewPanel() {}
void chooseEndReviews() {}
void drawEndReviews() {}

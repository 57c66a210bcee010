// Walking the path images: pixel classes, steps and side-steps.
#include "customers/customers.h"

PixelClass classifyPixel(sf::Color) {
    return PixelNeutral;
}
PixelClass pixelClassAt(const CollisionMap*, float, float) {
    return PixelNeutral;
}
bool isPathColour(PixelClass) {
    return false;
}
void updateCustomers() {}
void separateCustomers() {}

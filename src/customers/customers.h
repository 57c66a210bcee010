// Customers: the four types, spawning and removal, walking the path images, animation.
#pragma once

#include "assets/assets.h"
#include "ground/records.h"
#include "render/render.h"

// Pixel classes of the path images.
enum PixelClass : int {
    PixelTurnDownRight = DownRight,
    PixelTurnDownLeft = DownLeft,
    PixelTurnUpRight = UpRight,
    PixelTurnUpLeft = UpLeft,
    PixelExit,
    PixelNeutral,
};

// Loads the body sheets, shadows and hit sheets and fills the type table.
void loadCustomerAssets();
// What the layers above keep about customers (the towers' aim, a projectile's target) hears of
// each one coming and going, so nothing points at a customer gone: `comes` with each newcomer,
// `goes` with each one removed (null: all of them). Registered once at start-up.
void watchCustomers(void (*comes)(Customer&), void (*goes)(const Customer*));
// Creates one customer at the head of the list.
Customer& spawnCustomer(int type, int direction, int pathIndex, float x, float y);
// Unlinks and releases one customer; returns the iterator to the customer after it. Every
// reference to it (the featured customer, what the watchers keep) is cleared first.
std::list<Customer>::iterator removeCustomer(std::list<Customer>::iterator customer);
// Clears every reference to one customer (the featured customer, what the watchers keep).
void forgetCustomer(const Customer& customer);
// Forgets every reference to customers (level cleared).
void forgetAllCustomers();

// Classifies one pixel of a path image.
PixelClass classifyPixel(sf::Color pixel);
// A path image as the class of each of its pixels.
void classifyImage(const sf::Image& image, CollisionMap& map);
// Reads the pixel class under (x, y) of a path image; outside the image is neutral black.
PixelClass pixelClassAt(const CollisionMap* map, float x, float y);
// Whether a pixel class is one of the four turn colours.
bool isPathColour(PixelClass pixelClass);

// The per-update customer pass: side-steps, walking, animation, leaving.
void updateCustomers();
// The side-step rule, run once per update before anyone moves: sideStepPair on every ordered
// pair of the list that can push, in list order (as every ordered pair tried in turn would).
void separateCustomers();
// The side-step of one ordered pair of the same path group, close enough to push each other.
void sideStepPair(Customer& a, Customer& b);
// The second half of a customer's update: walk cycle, hit effects and the slow.
void animateCustomer(Customer& customer);
// Gives every customer's sprites the frames this frame shows (gauge fill, walk frame, hits).
void refreshCustomerSprites();
// Queues every customer's sprites for the world pass.
void queueCustomerSprites(const GameSight& state, Renderer& renderer);

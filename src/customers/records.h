// The record of the customers in the dining room and the path images they walk. Each is written by
// this folder and the folders above it; the layers below only read it (ground/records.h).
#pragma once

#include "assets/assets.h"
#include "ground/types.h"

#include <SFML/Graphics.hpp>

#include <list>
#include <memory>
#include <string>

// Customers.
struct CustomersRecord {
    std::list<Customer> customers; // newest first
    const sf::Texture* customerBodyTextures[CustomerTypeCount] = {};
    CustomerTypeInfo customerTypes[CustomerTypeCount];
    int nextCustomerId = 1;
    int featuredPending = 0;
    Link<Customer> featuredCustomer; // the customer the tutorial light follows
    float lastSpawnSpeed = 0;
    const sf::Texture* satisfactionTexture = nullptr;
    const sf::Texture* gaugeTexture = nullptr;

    const CollisionMap* collisionMaps[4] = {};
};

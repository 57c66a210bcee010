// Rules every subsystem shares: the hit tests of the buttons and the tutorial gate.
#pragma once

#include "core/game_state.h"

// Hit tests. Centred: strict on every edge, around the sprite's centre.
bool hitCentred(const sf::Sprite& sprite, int x, int y);
// Top-left: strict on every edge, from the sprite's bounds.
bool hitTopLeft(const sf::Sprite& sprite, int x, int y);
// Top-left, accepting x on the left or right edge ("Continuer", the shop's reset).
bool hitTopLeftInclusiveX(const sf::Sprite& sprite, int x, int y);
// Top-left against a fixed box (pause 43 x 69, mute 78 x 39).
bool hitBox(float left, float top, float width, float height, int x, int y);

// The tutorial gate: customers and the first level's waves move only while it is open.
bool tutorialGateOpen(const GameState& state);

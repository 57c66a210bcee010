// Game shell: the window, start-up, the frame cycle, input dispatch, the draw pass,
// pause, game speed and level end, and the intro.
#pragma once

#include <SFML/Graphics/Sprite.hpp>

// Opens the window, starts the game and runs frames until the window closes; returns 0.
int runGame();
// Loads every resource once and gives every field its default, save file last.
void initGame();
// Input phase: speed keys, window events, then the left button by screen.
void handleInput();
// Update phase: the clock, screen-independent work, then what the screen simulates.
void updateGame();
// Draw phase: clear, the layers of the screen, the cursor last, present.
void drawFrame();

// Hit tests. Centred: strict on every edge, around the sprite's centre.
bool hitCentred(const sf::Sprite& sprite, int x, int y);
// Top-left: strict on every edge, from the sprite's bounds.
bool hitTopLeft(const sf::Sprite& sprite, int x, int y);
// Top-left, accepting x on the left or right edge ("Continuer", the shop's reset).
bool hitTopLeftInclusiveX(const sf::Sprite& sprite, int x, int y);
// Top-left against a fixed box (pause 43 x 69, mute 78 x 39).
bool hitBox(float left, float top, float width, float height, int x, int y);

// The tutorial gate: customers and the first level's waves move only while it is open.
bool tutorialGateOpen();
// Samples the pointer position into mouseX, mouseY.
void sampleMouse();
// The process clock in seconds, read now: the menus' own animations run on it outside the
// update phase.
float processSeconds();

// 0 while the pre-wave countdown runs, 1 once it is over (starts the wave clock once).
int tickCountdown();
// Gives every speed-following sound the pitch gameSpeed.
void applySpeedPitch();
// The HUD's pause, in-game menu, mute, x2 and "Continuer" presses (screen 6).
void handleGameButtons();
// The in-game menu's presses (screen 7) and the in-game options' close area (screen 11).
void handleGameMenuClick();
void handleGameOptionsClick();
// Draws the in-game menu, the in-game options (with its slider logic) and the end overlay.
void drawGameMenu();
void drawGameOptions();
void drawLevelEnd();
// Loads the in-game menu and options pictures.
void initGameMenus();

// Intro: splash update and draw, logo screen draw and its press.
void initIntro();
void updateSplash();
void drawSplash();
void drawLogoScreen();

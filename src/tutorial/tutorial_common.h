// What the three explanations share: the bubble's text, the light and the spatula.
#pragma once

#include "tutorial/tutorial.h"

#include <SFML/System/String.hpp>

// The bubble's text (UTF-8); an empty text hides the bubble and the spatula.
void showDialogue(const char* text);
void lightOff();
// The spatula waves along for 8 frames after each new step.
void startSpatula();
void animateSpatula();
// The menus' and the HUD's sprites the lessons point at.
const LessonMarks& lessonMarks();
// Window height the light's y is measured from.
constexpr float lightBaseY = 1080.0f;
// Character size of the bubble's text.
constexpr unsigned dialogueTextSize = 25;

// What the three explanations share: the bubble's text, the light and the spatula.
#pragma once

// The bubble's text (UTF-8); an empty text hides the bubble and the spatula.
void showDialogue(const char* text);
void lightOff();
// The spatula waves along for 8 frames after each new step.
void startSpatula();
void animateSpatula();
// Window height the light's y is measured from.
constexpr float lightBaseY = 1080.0f;

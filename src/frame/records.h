// The frame's own record: the window and the cursor. Each is written by this folder and the
// folders above it; the layers below only read it (ground/records.h).
#pragma once

#include "ground/types.h"

#include <SFML/Graphics.hpp>

#include <list>
#include <memory>
#include <string>

// The frame.
struct FrameRecord {
    int windowOpen = 1; // 0 once the player has closed the window or quit
    int hasFocus = 1;
    sf::Sprite cursorSprite;
};

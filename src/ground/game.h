// The one global game record. Only the logic reaches it: the draw pass is handed the record as
// const and cannot see this name (drawing units are compiled without it).
#pragma once

#include "ground/game_state.h"

#ifdef GOBBLER_DRAW_UNIT
#error "drawing code reads the game through a const reference and never reaches the global record"
#endif

// The record lives for the whole process and is never torn down at exit: its GL objects must
// not outlive the library that owns their context.
extern GameState& game;

// The one global game, as this unit's layer reaches it (ground/records.h): the records of its
// layer and of the layers below writable, the others const. Only the logic reaches it: drawing
// is handed the game as a GameSight, every record const, and cannot see this name.
#pragma once

#include "ground/records.h"

#ifdef GOBBLER_DRAW_UNIT
#error "drawing code reads the game through a GameSight and never reaches the global record"
#endif
#ifndef GOBBLER_LAYER
#error "a unit that reaches the game is compiled with its layer's name (CMakeLists.txt)"
#endif

// The game as a layer reaches it; the records live for the whole process and are never torn
// down at exit (their GL objects must not outlive the library that owns their context).
template <Layer L> GameView<L>& gameAt();

namespace {
[[maybe_unused]] GameView<Layer::GOBBLER_LAYER>& game = gameAt<Layer::GOBBLER_LAYER>();
} // namespace

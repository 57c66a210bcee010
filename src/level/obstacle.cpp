// The path-blocking obstacle of maps 2 and 3.
#include "level/level.h"

void initObstacles() {}
void drawObstacles() {}
void drawPathAlert(bool) {}

// The wave scripts of the three maps and the map-1 door.
#include "level/level.h"

void initDoor() {}
void runWaveScript() {}
int openDoor() {
    return 0;
}
void closeDoor(int) {}
int endWave(int) {
    return 0;
}

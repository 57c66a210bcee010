#include "frame/frame.h"

int main() {
    return runGame();
}

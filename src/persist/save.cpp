// The save file.
#include "persist/persist.h"

const char* const saveFilePath = "../resources/save/Save1.txt";

void writeSave() {}
void readSave() {}
void deleteSave() {}
void creditStars() {}
std::string formatSave() {
    return std::string();
}
void parseSave(const std::string&) {}

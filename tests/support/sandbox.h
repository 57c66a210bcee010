// A private working folder for tests, so the game's "../resources/" resolves and the save
// file written by a test never touches the player's own.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Creates <tmp>/resources (links to the real pictures, sounds, font and shader, and an empty
// save folder, unless empty) and <tmp>/run, and makes run the working directory.
// Returns the sandbox root.
std::string enterSandbox(bool withResources = true);
// The save file as the game sees it from the sandbox.
std::string sandboxSavePath();
// A whole file's bytes ("" when it cannot be read), and a file made of these bytes.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);
// Runs `work` as a player without root's rights (in a child process as "nobody" when the tests
// run as root, who may read and write anything), so that permissions hold; gives its result, or
// -1 when it could not run. The files it reaches must be open to others.
int asPlayer(const std::function<int()>& work);
// Runs one disabled test of this program in a fresh process, with settings of its own in its
// environment (OpenAL's, whose device is chosen when the first audio object is made, replace
// the caller's), its error stream going to a file; gives its exit status, or -1.
int runChild(const std::string& test, const std::vector<std::string>& settings,
             const std::string& errors);

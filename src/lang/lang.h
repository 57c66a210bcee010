// The languages the game speaks. Its texts are written in French, which the game always speaks;
// every other language is a message catalogue (a compiled gettext file, gobbler.mo) found
// beside the game, whose texts stand in for the French ones. A picture with words in it has its
// twin in a folder named after the language beside the French one ("Menu/en/B Jouer.png").
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

// Marks a French text standing in a table as one to translate, where it stands; tr() translates
// it where it is shown.
constexpr const char* N_(const char* french) {
    return french;
}

// A language's texts by their French.
struct Catalogue {
    std::unordered_map<std::string, std::string> texts;
};

// Reads a compiled catalogue. Anything that is not one, or points outside itself, gives false.
// A translation whose % conversions differ from its French text's is left out (the French text
// shows instead): a format filled with the wrong values can never reach snprintf.
bool readCatalogue(const std::string& bytes, Catalogue& catalogue);
// Whether two texts hold the same printf conversions in the same order.
bool sameConversions(const char* a, const char* b);

// The language codes the game can speak: "fr" first, then every catalogue found, by name.
std::vector<std::string> languagesFound();
// The desktop's language settings, read from the environment once at start-up.
struct LocaleVariables {
    std::string language;   // LANGUAGE: languages in order of choice, ':' between them
    std::string lcAll;      // LC_ALL
    std::string lcMessages; // LC_MESSAGES
    std::string lang;       // LANG
};
LocaleVariables localeVariables();
// The language the desktop asks for, read as gettext reads it: the locale from LC_ALL, else
// LC_MESSAGES, else LANG; unless that is C or POSIX, LANGUAGE's first language the game speaks
// comes first. French for "fr*", C, POSIX or nothing; a language the game speaks (of
// `spoken`, a region's own catalogue first); English for any other.
std::string desktopLanguage(const LocaleVariables& locale, const std::vector<std::string>& spoken);
// The language the game starts in: the one the player chose last, else the desktop's.
std::string startLanguage(const std::string& chosen, const LocaleVariables& locale);
// The language spoken now ("fr" at start).
const std::string& currentLanguage();
// Speaks that language from now on: true when its catalogue could be read (French always can);
// otherwise the game speaks French.
bool chooseLanguage(const std::string& code);
// Counts the switches of language, for what keeps texts or pictures made in one.
unsigned languageSwitches();
// The text in the language spoken: its translation, else the French text itself.
// A format keeps its conversions in every language (readCatalogue sees to it).
__attribute__((format_arg(1))) const char* tr(const char* french);
const char* tr(const std::string& french);
// Where a picture's twin in a language would be: in a folder named after the language, beside it.
std::string twinPath(const std::string& path, const std::string& language);

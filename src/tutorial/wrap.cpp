// Fitting the lesson's sentences into the speech bubble: each line the writer broke stays a
// line, and a line too long for the bubble is broken again at its last blank that fits.
#include "core/resources.h"
#include "tutorial/tutorial_common.h"

#include <SFML/Graphics/Text.hpp>

namespace {

// How far right of the text's origin a line of the dialogue reaches.
float lineWidth(sf::Text& measure, const sf::String& line) {
    measure.setString(line);
    const sf::FloatRect bounds = measure.getLocalBounds();
    return bounds.left + bounds.width;
}

bool hasInk(const sf::String& line) {
    for (const sf::Uint32 c : line)
        if (c != ' ')
            return true;
    return false;
}

// One of the writer's lines, broken at blanks into pieces no wider than maxWidth where the
// words allow it; a single word wider than that stays whole.
void wrapLine(sf::Text& measure, const sf::String& line, float maxWidth, sf::String& out) {
    if (lineWidth(measure, line) <= maxWidth) {
        out += line;
        return;
    }
    sf::String current;
    std::size_t start = 0;
    bool first = true;
    while (start <= line.getSize()) {
        std::size_t blank = line.find(" ", start);
        if (blank == sf::String::InvalidPos)
            blank = line.getSize();
        const sf::String word = line.substring(start, blank - start);
        const sf::String candidate = first ? word : current + " " + word;
        // A line that is only blanks so far (the writer's leading blank) is never cut off.
        if (!first && hasInk(current) && lineWidth(measure, candidate) > maxWidth) {
            out += current;
            out += "\n";
            current = word;
        } else {
            current = candidate;
        }
        first = false;
        start = blank + 1;
    }
    out += current;
}

} // namespace

sf::String wrapDialogue(const sf::String& text, float maxWidth) {
    const sf::Font* font = gameFont();
    if (!font)
        return text;
    sf::Text measure("", *font, dialogueTextSize);
    sf::String out;
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find("\n", start);
        const bool last = end == sf::String::InvalidPos;
        if (last)
            end = text.getSize();
        wrapLine(measure, text.substring(start, end - start), maxWidth, out);
        if (last)
            break;
        out += "\n";
        start = end + 1;
    }
    return out;
}

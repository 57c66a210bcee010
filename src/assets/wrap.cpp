// Fitting a text into a width (the lesson's bubble, the HUD's reviews): the writer's lines stay
// as they are when each fits; otherwise the words flow again from line to line, each line filled
// as far as it goes. Breaking the writer's too-long lines one by one would leave a word or two
// alone on a line of their own.
#include "assets/assets.h"

#include <SFML/Graphics/Text.hpp>

namespace {

// How far right of the text's origin a line reaches.
float lineWidth(sf::Text& measure, const sf::String& line) {
    measure.setString(line);
    const sf::FloatRect bounds = measure.getLocalBounds();
    return bounds.left + bounds.width;
}

bool everyLineFits(sf::Text& measure, const sf::String& text, float maxWidth) {
    std::size_t start = 0;
    while (start <= text.getSize()) {
        std::size_t end = text.find("\n", start);
        if (end == sf::String::InvalidPos)
            end = text.getSize();
        if (lineWidth(measure, text.substring(start, end - start)) > maxWidth)
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace

sf::String wrapText(const sf::String& text, unsigned size, float maxWidth) {
    const sf::Font* font = gameFont();
    if (!font)
        return text;
    sf::Text measure("", *font, size);
    if (everyLineFits(measure, text, maxWidth))
        return text;
    sf::String out, line;
    std::size_t start = 0;
    while (start < text.getSize()) {
        std::size_t end = start;
        while (end < text.getSize() && text[end] != ' ' && text[end] != '\n')
            ++end;
        const sf::String word = text.substring(start, end - start);
        start = end + 1;
        if (word.isEmpty())
            continue;
        // A single word wider than the width stays whole.
        if (line.isEmpty()) {
            line = word;
        } else if (lineWidth(measure, line + " " + word) > maxWidth) {
            out += line + "\n";
            line = word;
        } else {
            line += " " + word;
        }
    }
    return out + line;
}

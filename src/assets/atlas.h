// Trimmed sheets (inside assets only): each frame of a sheet cut into pieces of its visible
// pixels, packed with other sheets' into one atlas texture; the sprites of a sheet show a
// stand-in texture of the whole sheet's size, and the drawing finds their pieces here.
#pragma once

#include <SFML/Graphics.hpp>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// A sheet kept trimmed: its frames' pieces and where they lie in the atlas.
struct TrimmedSheet {
    const sf::Texture* standIn = nullptr; // what sprites show; never given pixels
    sf::Vector2u size;                    // the whole sheet's
    int frameWidth = 0, frameHeight = 0;
    int columns = 0, rows = 0;
    bool arrived = false;
    const sf::Texture* atlas = nullptr; // shared by every sheet packed with this one
    std::vector<int> firstPiece;        // per frame, row by row, then the end of the last's
    std::vector<sf::IntRect> pieces;    // each piece's visible box in the sheet
    std::vector<sf::Vector2i> atlasAt;  // where that box lies in the atlas
};

// Every trimmed sheet, the sheet each stand-in stands for (looked up for every sprite drawn),
// the atlas pages, and the stand-ins by path.
std::vector<std::unique_ptr<TrimmedSheet>>& trimmedSheets();
std::unordered_map<const sf::Texture*, const TrimmedSheet*>& sheetOfStandIn();
std::vector<std::unique_ptr<sf::Texture>>& atlasPages();
std::map<std::string, std::unique_ptr<sf::Texture>>& sheetStandIns();

// One sheet of a trimmed atlas, as decoding makes it.
struct SheetPart {
    std::string file;
    int frameWidth = 0, frameHeight = 0;
    TrimmedSheet* sheet = nullptr;
    bool ok = false;
    std::vector<int> firstPiece;
    std::vector<sf::IntRect> pieces;   // in the sheet
    std::vector<sf::Vector2i> atlasAt; // in `packed`, then in the atlas
    sf::Image packed;                  // its pieces alone, while the atlas is made
};

// The visible pixels of every frame as pieces in sheet coordinates (none for a clear frame):
// from the frame's first visible row to its last, a piece per band of rows that shows
// something, as wide as what it shows; where each frame's pieces begin, frame by frame.
void visiblePieces(const sf::Image& sheet, int frameWidth, int frameHeight,
                   std::vector<sf::IntRect>& pieces, std::vector<int>& firstPiece);
// Places boxes of these sizes, each with a border of two pixels, on shelves: the tallest
// first, each in the first shelf with room for it (first fit by decreasing height); gives where
// each box lies and the size of the whole.
sf::Vector2u packBoxes(const std::vector<sf::Vector2i>& sizes, std::vector<sf::Vector2i>& at);
// Decodes every sheet of an atlas and packs their frames' visible pixels together. Each sheet
// is let go as soon as its frames are cut out of it, so only one whole sheet is in memory at a
// time.
bool trimSheets(std::vector<SheetPart>& parts, sf::Image& atlas);

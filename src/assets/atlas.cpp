// Trimmed sheets: finding each frame's visible pixels, packing them into an atlas, and the
// pieces a sprite of a trimmed sheet is drawn as.
#include "assets/atlas.h"

#include "assets/assets.h"

#include <algorithm>
#include <cmath>

namespace {

// Frames are cut into bands of this many rows, each kept as wide as its visible pixels: a
// tower's gesture or a spray spreads wide in some rows only.
constexpr int pieceRows = 32;

// A piece with the pixel all around it, inside its frame: what its place in the atlas holds, so
// that a pixel on a quad's edge between two pieces samples, on either side, what the whole sheet
// holds there. Around that, one clear pixel (packBoxes leaves two): a quad reaching one pixel
// past its piece can sample one more, and finds it clear, as the whole frame's are there.
sf::IntRect withMargin(const sf::IntRect& piece, int frameWidth, int frameHeight) {
    const int cellLeft = piece.left / frameWidth * frameWidth;
    const int cellTop = piece.top / frameHeight * frameHeight;
    const int left = std::max(piece.left - 1, cellLeft);
    const int top = std::max(piece.top - 1, cellTop);
    const int right = std::min(piece.left + piece.width + 1, cellLeft + frameWidth);
    const int bottom = std::min(piece.top + piece.height + 1, cellTop + frameHeight);
    return sf::IntRect(left, top, right - left, bottom - top);
}

// The cell of the sheet a sprite's frame shows, row by row; -1 when the sheet has not arrived or
// the frame is not one whole cell or part of one (never more than one frame).
int frameCell(const TrimmedSheet& sheet, const sf::IntRect& frame) {
    if (!sheet.arrived || frame.width <= 0 || frame.height <= 0 || frame.left < 0 || frame.top < 0)
        return -1;
    const int column = frame.left / sheet.frameWidth, row = frame.top / sheet.frameHeight;
    if (column >= sheet.columns || row >= sheet.rows ||
        frame.left + frame.width > (column + 1) * sheet.frameWidth ||
        frame.top + frame.height > (row + 1) * sheet.frameHeight)
        return -1;
    return row * sheet.columns + column;
}

// What a piece of a cell (its pieces first to end) shows of the frame, in sheet pixels: one
// pixel more all around, inside the frame, so the quad's edges stay off the visible pixels as
// the whole frame's did; not where the piece meets the next one, where the two quads share their
// edge and every pixel is drawn by one of them only. Empty when none of it is in the frame.
sf::IntRect shownPart(const TrimmedSheet& sheet, int piece, int first, int end,
                      const sf::IntRect& frame) {
    const auto box = [&sheet](int index) { return sheet.pieces[static_cast<std::size_t>(index)]; };
    const sf::IntRect own = box(piece);
    const bool joinsAbove = piece > first && box(piece - 1).top + box(piece - 1).height == own.top;
    const bool joinsBelow = piece + 1 < end && box(piece + 1).top == own.top + own.height;
    const int left = std::max(own.left - 1, frame.left);
    const int top = std::max(joinsAbove ? own.top : own.top - 1, frame.top);
    const int right = std::min(own.left + own.width + 1, frame.left + frame.width);
    const int bottom = std::min(joinsBelow ? own.top + own.height : own.top + own.height + 1,
                                frame.top + frame.height);
    if (right <= left || bottom <= top)
        return sf::IntRect();
    return sf::IntRect(left, top, right - left, bottom - top);
}

} // namespace

std::vector<std::unique_ptr<TrimmedSheet>>& trimmedSheets() {
    static std::vector<std::unique_ptr<TrimmedSheet>> sheets;
    return sheets;
}

std::unordered_map<const sf::Texture*, const TrimmedSheet*>& sheetOfStandIn() {
    static std::unordered_map<const sf::Texture*, const TrimmedSheet*> sheets;
    return sheets;
}

std::vector<std::unique_ptr<sf::Texture>>& atlasPages() {
    static std::vector<std::unique_ptr<sf::Texture>> pages;
    return pages;
}

std::map<std::string, std::unique_ptr<sf::Texture>>& sheetStandIns() {
    static std::map<std::string, std::unique_ptr<sf::Texture>> standIns;
    return standIns;
}

void visiblePieces(const sf::Image& sheet, int frameWidth, int frameHeight,
                   std::vector<sf::IntRect>& pieces, std::vector<int>& firstPiece) {
    const sf::Vector2u size = sheet.getSize();
    const int columns = static_cast<int>(size.x) / frameWidth;
    const int rows = static_cast<int>(size.y) / frameHeight;
    const sf::Uint8* pixels = sheet.getPixelsPtr();
    pieces.clear();
    firstPiece.clear();
    std::vector<int> lineLeft(static_cast<std::size_t>(frameHeight));
    std::vector<int> lineRight(static_cast<std::size_t>(frameHeight));
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            firstPiece.push_back(static_cast<int>(pieces.size()));
            int top = frameHeight, bottom = -1;
            for (int y = 0; y < frameHeight; ++y) {
                const sf::Uint8* line =
                    pixels + (static_cast<std::size_t>(row * frameHeight + y) * size.x +
                              static_cast<std::size_t>(column * frameWidth)) *
                                 4;
                int left = frameWidth, right = -1;
                for (int x = 0; x < frameWidth; ++x)
                    if (line[x * 4 + 3] != 0) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
                lineLeft[static_cast<std::size_t>(y)] = left;
                lineRight[static_cast<std::size_t>(y)] = right;
                if (right >= 0) {
                    top = std::min(top, y);
                    bottom = y;
                }
            }
            for (int band = 0; band < frameHeight; band += pieceRows) {
                const int first = std::max(band, top);
                const int last = std::min(band + pieceRows - 1, bottom);
                int left = frameWidth, right = -1;
                for (int y = first; y <= last; ++y) {
                    left = std::min(left, lineLeft[static_cast<std::size_t>(y)]);
                    right = std::max(right, lineRight[static_cast<std::size_t>(y)]);
                }
                if (right >= 0)
                    pieces.emplace_back(column * frameWidth + left, row * frameHeight + first,
                                        right - left + 1, last - first + 1);
            }
        }
    firstPiece.push_back(static_cast<int>(pieces.size()));
}

sf::Vector2u packBoxes(const std::vector<sf::Vector2i>& sizes, std::vector<sf::Vector2i>& at) {
    constexpr int border = 2, room = 2 * border;
    long area = 0;
    int widest = 0;
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < sizes.size(); ++i)
        if (sizes[i].x > 0) {
            order.push_back(i);
            area += static_cast<long>(sizes[i].x + room) * (sizes[i].y + room);
            widest = std::max(widest, sizes[i].x + room);
        }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return sizes[a].y != sizes[b].y ? sizes[a].y > sizes[b].y : sizes[a].x > sizes[b].x;
    });
    const int width = std::max(widest, static_cast<int>(std::ceil(std::sqrt(area * 1.05))));
    struct Shelf {
        int top, height, used;
    };
    std::vector<Shelf> shelves;
    int height = 0;
    at.assign(sizes.size(), sf::Vector2i());
    for (std::size_t i : order) {
        const int w = sizes[i].x + room, h = sizes[i].y + room;
        auto shelf = std::find_if(shelves.begin(), shelves.end(), [&](const Shelf& s) {
            return s.height >= h && s.used + w <= width;
        });
        if (shelf == shelves.end()) {
            shelves.push_back({height, h, 0});
            height += h;
            shelf = shelves.end() - 1;
        }
        at[i] = sf::Vector2i(shelf->used + border, shelf->top + border);
        shelf->used += w;
    }
    return sf::Vector2u(static_cast<unsigned>(std::max(width, 1)),
                        static_cast<unsigned>(std::max(height, 1)));
}

bool trimSheets(std::vector<SheetPart>& parts, sf::Image& atlas) {
    bool any = false;
    for (SheetPart& part : parts) {
        sf::Image sheet;
        part.ok = sheet.loadFromFile(part.file);
        if (!part.ok)
            continue;
        any = true;
        visiblePieces(sheet, part.frameWidth, part.frameHeight, part.pieces, part.firstPiece);
        std::vector<sf::Vector2i> sizes;
        for (const sf::IntRect& box : part.pieces)
            sizes.emplace_back(box.width, box.height);
        const sf::Vector2u size = packBoxes(sizes, part.atlasAt);
        part.packed.create(size.x, size.y, sf::Color::Transparent);
        for (std::size_t i = 0; i < part.pieces.size(); ++i) {
            const sf::IntRect& piece = part.pieces[i];
            const sf::IntRect margin = withMargin(piece, part.frameWidth, part.frameHeight);
            part.packed.copy(
                sheet, static_cast<unsigned>(part.atlasAt[i].x + margin.left - piece.left),
                static_cast<unsigned>(part.atlasAt[i].y + margin.top - piece.top), margin);
        }
    }
    if (parts.size() == 1) {
        atlas = std::move(parts[0].packed);
        return any;
    }
    std::vector<sf::Vector2i> sizes;
    for (const SheetPart& part : parts)
        for (const sf::IntRect& box : part.pieces)
            sizes.emplace_back(box.width, box.height);
    std::vector<sf::Vector2i> at;
    const sf::Vector2u size = packBoxes(sizes, at);
    atlas.create(size.x, size.y, sf::Color::Transparent);
    std::size_t next = 0;
    for (SheetPart& part : parts) {
        for (std::size_t i = 0; i < part.pieces.size(); ++i, ++next) {
            const sf::IntRect& piece = part.pieces[i];
            const sf::IntRect from(part.atlasAt[i].x - 1, part.atlasAt[i].y - 1, piece.width + 2,
                                   piece.height + 2);
            atlas.copy(part.packed, static_cast<unsigned>(at[next].x - 1),
                       static_cast<unsigned>(at[next].y - 1), from);
            part.atlasAt[i] = at[next];
        }
        part.packed = sf::Image();
    }
    return any;
}

TrimmedDraw trimmedFrame(const sf::Sprite& sprite, std::vector<sf::Sprite>& pieces) {
    const sf::Texture* texture = sprite.getTexture();
    if (!texture)
        return TrimmedDraw::NotTrimmed;
    const auto found = sheetOfStandIn().find(texture);
    if (found == sheetOfStandIn().end())
        return TrimmedDraw::NotTrimmed;
    const TrimmedSheet& sheet = *found->second;
    const sf::IntRect frame = sprite.getTextureRect();
    const int cell = frameCell(sheet, frame);
    if (cell < 0)
        return TrimmedDraw::Nothing;
    const std::size_t before = pieces.size();
    const int first = sheet.firstPiece[static_cast<std::size_t>(cell)];
    const int end = sheet.firstPiece[static_cast<std::size_t>(cell) + 1];
    for (int piece = first; piece < end; ++piece) {
        const sf::IntRect shown = shownPart(sheet, piece, first, end, frame);
        if (shown.width <= 0 || shown.height <= 0)
            continue;
        const sf::IntRect& box = sheet.pieces[static_cast<std::size_t>(piece)];
        const sf::Vector2i at = sheet.atlasAt[static_cast<std::size_t>(piece)];
        pieces.push_back(sprite);
        sf::Sprite& drawn = pieces.back();
        drawn.setTexture(*sheet.atlas);
        drawn.setTextureRect(sf::IntRect(at.x + shown.left - box.left, at.y + shown.top - box.top,
                                         shown.width, shown.height));
        drawn.setOrigin(sprite.getOrigin() -
                        sf::Vector2f(static_cast<float>(shown.left - frame.left),
                                     static_cast<float>(shown.top - frame.top)));
    }
    return pieces.size() > before ? TrimmedDraw::Draw : TrimmedDraw::Nothing;
}

#include "core/resources.h"

#include "core/paths.h"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/System/Err.hpp>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <sstream>
#include <thread>
#include <unordered_map>
#include <vector>

namespace {

template <class T> using Cache = std::unordered_map<std::string, std::unique_ptr<T>>;

Cache<sf::Texture>& textureCache() {
    static Cache<sf::Texture> cache;
    return cache;
}

// Never torn down, like the frame: a render texture must not outlive the GL context it lives in.
Cache<sf::RenderTexture>& backdropCache() {
    alignas(
        Cache<sf::RenderTexture>) static unsigned char storage[sizeof(Cache<sf::RenderTexture>)];
    static Cache<sf::RenderTexture>& cache = *::new (storage) Cache<sf::RenderTexture>();
    return cache;
}

// The backdrops whose pixels have arrived.
std::set<const sf::Texture*>& backdrops() {
    static std::set<const sf::Texture*> textures;
    return textures;
}

Cache<sf::Image>& imageCache() {
    static Cache<sf::Image> cache;
    return cache;
}

Cache<CollisionMap>& collisionMapCache() {
    static Cache<CollisionMap> cache;
    return cache;
}

std::set<std::string>& requested() {
    static std::set<std::string> paths;
    return paths;
}

// The sizes of the textures whose pixels are on their way (their GL storage is made when the
// pixels arrive, so a picture takes no memory before it is decoded).
std::unordered_map<const sf::Texture*, sf::Vector2u>& comingSizes() {
    static std::unordered_map<const sf::Texture*, sf::Vector2u> sizes;
    return sizes;
}

// The pictures on their way, by texture: queued, decoding or decoded and not brought in yet.
std::unordered_map<const sf::Texture*, int>& inFlight() {
    static std::unordered_map<const sf::Texture*, int> counts;
    return counts;
}

// Of those, how many were let go of meanwhile: their pixels are thrown away on arrival.
std::unordered_map<const sf::Texture*, int>& dropped() {
    static std::unordered_map<const sf::Texture*, int> counts;
    return counts;
}

// Shared textures whose pixels were let go.
std::set<std::string>& released() {
    static std::set<std::string> paths;
    return paths;
}

// Notes the name the game asked for and gives the file it stands for in the resources found,
// or "" when that file cannot be read.
std::string locate(const std::string& path) {
    requested().insert(path);
    std::string file = resourceFile(path);
    if (!std::ifstream(file, std::ios::binary).good())
        file.clear();
    return file;
}

// ---------------------------------------------------------------- picture sizes

unsigned bigEndian(const unsigned char* bytes, int count) {
    unsigned value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | bytes[i];
    return value;
}

// The size of a PNG or JPEG picture from its header, without decoding it.
bool pictureSize(const std::string& file, sf::Vector2u& size) {
    std::ifstream in(file, std::ios::binary);
    unsigned char head[24] = {};
    if (!in.read(reinterpret_cast<char*>(head), sizeof head))
        return false;
    static const unsigned char png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (std::equal(png, png + 8, head)) {
        if (std::string(reinterpret_cast<char*>(head + 12), 4) != "IHDR")
            return false;
        size = sf::Vector2u(bigEndian(head + 16, 4), bigEndian(head + 20, 4));
        return size.x > 0 && size.y > 0;
    }
    if (head[0] != 0xff || head[1] != 0xd8)
        return false;
    // JPEG: walk the segments to the frame header.
    std::streamoff at = 2;
    for (int segments = 0; segments < 1000; ++segments) {
        unsigned char marker[9] = {};
        in.clear();
        in.seekg(at);
        if (!in.read(reinterpret_cast<char*>(marker), 4) || marker[0] != 0xff)
            return false;
        const unsigned kind = marker[1];
        const unsigned length = bigEndian(marker + 2, 2);
        const bool frame =
            kind >= 0xc0 && kind <= 0xcf && kind != 0xc4 && kind != 0xc8 && kind != 0xcc;
        if (frame) {
            if (!in.read(reinterpret_cast<char*>(marker + 4), 5))
                return false;
            size = sf::Vector2u(bigEndian(marker + 7, 2), bigEndian(marker + 5, 2));
            return size.x > 0 && size.y > 0;
        }
        if (length < 2)
            return false;
        at += 2 + static_cast<std::streamoff>(length);
    }
    return false;
}

// ---------------------------------------------------------------- trimmed sheets

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

std::vector<std::unique_ptr<TrimmedSheet>>& trimmedSheets() {
    static std::vector<std::unique_ptr<TrimmedSheet>> sheets;
    return sheets;
}

// The sheet a stand-in texture stands for (looked up for every sprite drawn).
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

// Frames are cut into bands of this many rows, each kept as wide as its visible pixels: a
// tower's gesture or a spray spreads wide in some rows only.
constexpr int pieceRows = 32;

// The visible pixels of every frame as pieces in sheet coordinates (none for a clear frame):
// from the frame's first visible row to its last, a piece per band of rows that shows
// something, as wide as what it shows; where each frame's pieces begin, frame by frame.
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

// Places boxes of these sizes, each with a border of `border` pixels, on shelves: the tallest
// first, each in the first shelf with room for it (first fit by decreasing height); gives where
// each box lies and the size of the whole.
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

// Decodes every sheet of an atlas and packs their frames' visible pixels together. Each sheet
// is let go as soon as its frames are cut out of it, so only one whole sheet is in memory at a
// time.
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

// ---------------------------------------------------------------- the loading thread

enum class JobKind { Texture, Backdrop, Sheet, PathMap, Sound, Music, Shader, Prefetch };

struct Job {
    JobKind kind = JobKind::Texture;
    std::string path, file;
    sf::Texture* texture = nullptr; // also the atlas of trimmed sheets
    sf::RenderTexture* backdrop = nullptr;
    std::vector<SheetPart> sheets; // the trimmed sheets of one atlas
    CollisionMap* map = nullptr;
    void (*classify)(const sf::Image&, CollisionMap&) = nullptr;
    sf::SoundBuffer* buffer = nullptr;
    sf::Shader* shader = nullptr;
    MusicStream* music = nullptr; // opened on the loading thread itself (its header read)
    bool later = false; // not needed by the screen shown: brought in over the frames to come
    bool soon = false;  // needed in a moment (the splash's sounds, the logo's next frame)

    // What decoding made.
    bool ok = false;
    sf::Image image;
    CollisionMap classes;
    std::vector<sf::Int16> samples;
    unsigned channels = 0, sampleRate = 0;
    std::string source; // a shader's

    std::size_t bytes() const {
        return static_cast<std::size_t>(image.getSize().x) * image.getSize().y * 4 +
               classes.runEnd.size() * 5 + samples.size() * sizeof(sf::Int16) + source.size();
    }
};

// A job of `kind` for what lies at `path` (found at `file`).
std::unique_ptr<Job> newJob(JobKind kind, const std::string& path, const std::string& file) {
    auto job = std::make_unique<Job>();
    job->kind = kind;
    job->path = path;
    job->file = file;
    return job;
}

// Decoding: no GL, no audio device; safe on the loading thread.
void decode(Job& job) {
    switch (job.kind) {
    case JobKind::Texture:
    case JobKind::Prefetch:
        job.ok = job.image.loadFromFile(job.file);
        break;
    case JobKind::Backdrop:
        job.ok = job.image.loadFromFile(job.file);
        // Bottom row first, as the frame keeps its own rows.
        job.image.flipVertically();
        break;
    case JobKind::Sheet:
        job.ok = trimSheets(job.sheets, job.image);
        break;
    case JobKind::PathMap: {
        sf::Image picture;
        job.ok = picture.loadFromFile(job.file);
        if (job.ok)
            job.classify(picture, job.classes);
        break;
    }
    case JobKind::Sound: {
        sf::InputSoundFile input;
        if (!input.openFromFile(job.file))
            break;
        job.samples.resize(static_cast<std::size_t>(input.getSampleCount()));
        job.ok = input.read(job.samples.data(), job.samples.size()) == job.samples.size();
        job.channels = input.getChannelCount();
        job.sampleRate = input.getSampleRate();
        break;
    }
    case JobKind::Music:
        // The game touches no music before the loading is over but its volume and loop, which
        // opening leaves alone; the audio's shutting down waits for this first.
        job.ok = job.music->openFromFile(job.file);
        break;
    case JobKind::Shader: {
        std::ifstream in(job.file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        job.ok = in.good() || in.eof();
        job.source = text.str();
        break;
    }
    }
}

// Gives what was decoded to the objects that wait for it (this thread: GL and audio calls).
void bringIn(Job& job, std::map<std::string, std::unique_ptr<Job>>& prefetched,
             std::unique_ptr<Job>& owned) {
    switch (job.kind) {
    case JobKind::Texture:
    case JobKind::Backdrop: {
        const sf::Texture* texture = job.texture ? job.texture : &job.backdrop->getTexture();
        --inFlight()[texture];
        auto drop = dropped().find(texture);
        if (drop != dropped().end() && drop->second > 0) {
            --drop->second; // let go of while it was on its way
            break;
        }
        auto coming = comingSizes().find(texture);
        const sf::Vector2u size =
            coming != comingSizes().end() ? coming->second : texture->getSize();
        if (coming != comingSizes().end())
            comingSizes().erase(coming);
        // A broken picture shows nothing (a clear one of its size), never what memory held.
        if (!job.ok || job.image.getSize() != size)
            job.image.create(size.x, size.y, sf::Color::Transparent);
        sf::Texture& pixels = const_cast<sf::Texture&>(*texture);
        if (job.texture)
            job.texture->loadFromImage(job.image);
        // Made once (a framebuffer's making is costly); brought back, it gets its storage again.
        else if (pixels.getNativeHandle() != 0 ? pixels.create(size.x, size.y)
                                               : job.backdrop->create(size.x, size.y)) {
            // The texture's own update stores the rows as they come and forgets that they are
            // upside down; display() tells it again, so sprites still show it the right way up.
            pixels.update(job.image);
            job.backdrop->display();
            backdrops().insert(texture);
        }
        break;
    }
    case JobKind::Sheet:
        if (job.ok)
            job.texture->loadFromImage(job.image);
        for (SheetPart& part : job.sheets) {
            TrimmedSheet& sheet = *part.sheet;
            if (!job.ok || !part.ok)
                continue;
            sheet.firstPiece = std::move(part.firstPiece);
            sheet.pieces = std::move(part.pieces);
            sheet.atlasAt = std::move(part.atlasAt);
            sheet.arrived =
                sheet.firstPiece.size() == static_cast<std::size_t>(sheet.columns * sheet.rows + 1);
        }
        break;
    case JobKind::PathMap:
        if (job.ok)
            *job.map = std::move(job.classes);
        break;
    case JobKind::Sound:
        job.ok = job.ok && !job.samples.empty() &&
                 job.buffer->loadFromSamples(job.samples.data(), job.samples.size(), job.channels,
                                             job.sampleRate);
        break;
    case JobKind::Music:
        break;
    case JobKind::Shader:
        // Compiled here, where GL calls are made; a shader that does not compile stays empty.
        job.ok = job.ok && !job.source.empty() &&
                 job.shader->loadFromMemory(job.source, sf::Shader::Fragment);
        break;
    case JobKind::Prefetch:
        prefetched[job.path] = std::move(owned);
        break;
    }
}

// The shared texture a job fills, if any.
const sf::Texture* textureOf(const Job& job) {
    if (job.kind == JobKind::Texture)
        return job.texture;
    if (job.kind == JobKind::Backdrop)
        return &job.backdrop->getTexture();
    return nullptr;
}

// How far a bringing in goes: a frame's share, everything needed now, or everything.
enum class Bring { FrameShare, Needed, Everything };

class Loader {
  public:
    ~Loader() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable())
            thread_.join();
    }

    bool deferring = false;
    std::map<std::string, std::unique_ptr<Job>> prefetched;

    // Work for this thread just before the loading thread starts, at once when it runs already.
    void beforeStart(std::function<void()> work) {
        if (thread_.joinable())
            work();
        else
            beforeStart_.push_back(std::move(work));
    }

    void queue(std::unique_ptr<Job> job) {
        if (const sf::Texture* texture = textureOf(*job))
            ++inFlight()[texture];
        {
            std::lock_guard<std::mutex> lock(mutex_);
            count(*job, 1);
            // What is needed in a moment goes before the pictures for later, in the order asked.
            const auto place =
                job->soon
                    ? std::find_if(waiting_.begin(), waiting_.end(),
                                   [](const std::unique_ptr<Job>& queued) { return !queued->soon; })
                    : waiting_.end();
            waiting_.insert(place, std::move(job));
        }
        wake_.notify_all();
    }

    // Takes back the jobs for this texture that have not started; gives how many are still on
    // their way.
    int cancel(const sf::Texture* texture) {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto job = waiting_.begin(); job != waiting_.end();)
            if (textureOf(**job) == texture) {
                count(**job, -1);
                --inFlight()[texture];
                job = waiting_.erase(job);
            } else
                ++job;
        return inFlight()[texture];
    }

    // Brings in decoded jobs, as far as `how` says.
    void bring(Bring how) {
        start();
        int textures = 0;
        std::size_t bytes = 0;
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            if (decoded_.empty()) {
                if (how == Bring::FrameShare || outstanding_ + later_ == 0 ||
                    (how == Bring::Needed && outstanding_ == 0))
                    break;
                done_.wait(lock);
                continue;
            }
            if (how == Bring::FrameShare && (textures >= 2 || bytes >= 4u << 20))
                break;
            std::unique_ptr<Job> job = std::move(decoded_.front());
            decoded_.pop_front();
            decodedBytes_ -= job->bytes();
            count(*job, -1);
            if (job->kind != JobKind::Prefetch) {
                ++textures;
                bytes += job->bytes();
            }
            lock.unlock();
            wake_.notify_all();
            Job& taken = *job;
            bringIn(taken, prefetched, job);
            lock.lock();
        }
    }

    // Waits until the jobs that `matches` picks have been decoded and brought in; everything
    // decoded before them is brought in on the way.
    template <class Match> void await(Match matches) {
        start();
        for (;;) {
            std::unique_lock<std::mutex> lock(mutex_);
            if (!pending(matches))
                return;
            if (decoded_.empty())
                done_.wait(lock);
            lock.unlock();
            bringSome();
        }
    }

    // A prefetched picture, waited for when still on its way; null when never asked for.
    Job* awaitPrefetch(const std::string& path) {
        await([&](const Job& job) { return job.kind == JobKind::Prefetch && job.path == path; });
        auto found = prefetched.find(path);
        return found != prefetched.end() ? found->second.get() : nullptr;
    }

    // Forgets the jobs that `matches` picks, decoded or not, without bringing them in (what
    // they fill is about to go); the one being decoded is waited for first.
    template <class Match> void forget(Match matches) {
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [&] { return !busy_ || !matches(*busy_); });
        for (auto* list : {&waiting_, &decoded_})
            for (auto job = list->begin(); job != list->end();)
                if (matches(**job)) {
                    count(**job, -1);
                    if (list == &decoded_)
                        decodedBytes_ -= (*job)->bytes();
                    job = list->erase(job);
                } else
                    ++job;
        lock.unlock();
        wake_.notify_all();
    }

    // Whether a job that `matches` picks is not brought in yet (no waiting).
    template <class Match> bool onItsWay(Match matches) {
        std::lock_guard<std::mutex> lock(mutex_);
        return pending(matches);
    }

    bool pendingPrefetch(const std::string& path) {
        if (prefetched.count(path))
            return true;
        return onItsWay(
            [&](const Job& job) { return job.kind == JobKind::Prefetch && job.path == path; });
    }

  private:
    // The loading thread starts with the first frame's bringing in: start-up itself has only
    // the first frame to make.
    void start() {
        if (thread_.joinable())
            return;
        std::vector<std::function<void()>> first;
        first.swap(beforeStart_);
        for (const auto& work : first)
            work();
        thread_ = std::thread(&Loader::work, this);
    }

    // Counts a job in (+1) or out (-1) of what is awaited, needed now or later.
    void count(const Job& job, int step) {
        if (job.kind == JobKind::Prefetch)
            return;
        (job.later ? later_ : outstanding_) += step;
    }

    // Whether a job that `matches` picks is waiting, decoding or decoded (the lock held).
    template <class Match> bool pending(Match matches) const {
        if (busy_ && matches(*busy_))
            return true;
        for (const auto* list : {&waiting_, &decoded_})
            for (const auto& job : *list)
                if (matches(*job))
                    return true;
        return false;
    }

    void bringSome() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!decoded_.empty()) {
            std::unique_ptr<Job> job = std::move(decoded_.front());
            decoded_.pop_front();
            decodedBytes_ -= job->bytes();
            count(*job, -1);
            lock.unlock();
            wake_.notify_all();
            Job& taken = *job;
            bringIn(taken, prefetched, job);
            lock.lock();
        }
    }

    void work() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            // Decoded pictures wait in memory until a frame brings them in: a bounded amount.
            wake_.wait(lock, [this] {
                return stopping_ || (!waiting_.empty() && decodedBytes_ < (16u << 20));
            });
            if (stopping_)
                return;
            std::unique_ptr<Job> job = std::move(waiting_.front());
            waiting_.pop_front();
            busy_ = job.get();
            lock.unlock();
            decode(*job);
            lock.lock();
            busy_ = nullptr;
            decodedBytes_ += job->bytes();
            decoded_.push_back(std::move(job));
            done_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_; // the loading thread's
    std::condition_variable done_; // the game's
    std::deque<std::unique_ptr<Job>> waiting_, decoded_;
    const Job* busy_ = nullptr; // the job being decoded
    std::size_t decodedBytes_ = 0;
    int outstanding_ = 0; // jobs asked for and not brought in, prefetches and later ones aside
    int later_ = 0;       // jobs for pictures not needed yet
    bool stopping_ = false;
    std::vector<std::function<void()>> beforeStart_;
    std::thread thread_;
};

Loader& loader() {
    static Loader instance;
    return instance;
}

// Runs a job here and now; whether what it loads came.
bool runNow(std::unique_ptr<Job> job) {
    if (const sf::Texture* texture = textureOf(*job))
        ++inFlight()[texture];
    decode(*job);
    Job& taken = *job;
    bringIn(taken, loader().prefetched, job);
    return taken.ok;
}

// Gives a job to the loading thread while loading is deferred (true), else runs it now.
bool loadOrQueue(std::unique_ptr<Job> job) {
    if (!loader().deferring)
        return runNow(std::move(job));
    loader().queue(std::move(job));
    return true;
}

// A shared texture let go of while no screen shown needs it: a picture's or a backdrop's.
struct Away {
    std::string path;
    sf::Texture* texture = nullptr;
    sf::RenderTexture* backdrop = nullptr;

    const sf::Texture* shown() const { return texture ? texture : &backdrop->getTexture(); }
};

// What one holding (a path, or the start of the paths of a folder) let go of last, and whether
// it holds its pictures now.
struct Holding {
    bool held = true;
    std::vector<Away> pictures;
};

std::map<std::string, Holding>& holdings() {
    static std::map<std::string, Holding> all;
    return all;
}

bool startsWith(const std::string& path, const std::string& start) {
    return path.compare(0, start.size(), start) == 0;
}

// The shared textures with pixels (or pixels on their way) whose path starts with `start`.
std::vector<Away> texturesWithPixels(const std::string& start) {
    std::vector<Away> found;
    for (const auto& entry : textureCache())
        if (entry.second && startsWith(entry.first, start) && !released().count(entry.first) &&
            (entry.second->getSize().x > 0 || comingSizes().count(entry.second.get())))
            found.push_back(Away{entry.first, entry.second.get(), nullptr});
    for (const auto& entry : backdropCache())
        if (entry.second && startsWith(entry.first, start))
            found.push_back(Away{entry.first, nullptr, entry.second.get()});
    return found;
}

void letGo(const Away& away) {
    const sf::Texture* shown = away.shown();
    const sf::Vector2u size = textureSize(shown);
    // What is still on its way is thrown away when it comes.
    dropped()[shown] = loader().cancel(shown);
    if (away.texture) {
        *away.texture = sf::Texture();
    } else {
        // The framebuffer stays; only its storage goes.
        backdrops().erase(shown);
        if (shown->getSize().x > 1)
            const_cast<sf::Texture*>(shown)->create(1, 1);
    }
    comingSizes()[shown] = size; // sprites still frame it at its size
}

void bringBack(const Away& away, bool needed) {
    // The file was found when it was first loaded: no disk asked here.
    auto job = newJob(away.texture ? JobKind::Texture : JobKind::Backdrop, away.path,
                      resourceFile(away.path));
    job->texture = away.texture;
    job->backdrop = away.backdrop;
    job->later = !needed;
    loader().queue(std::move(job));
}

bool onItsWay(const Away& away) {
    const sf::Texture* shown = away.shown();
    return inFlight()[shown] > dropped()[shown];
}

// The shared texture (a picture's or a backdrop's) behind a texture; no path for any other.
Away sharedTexture(const sf::Texture* texture) {
    for (const auto& entry : textureCache())
        if (entry.second.get() == texture)
            return Away{entry.first, entry.second.get(), nullptr};
    for (const auto& entry : backdropCache())
        if (entry.second && &entry.second->getTexture() == texture)
            return Away{entry.first, nullptr, entry.second.get()};
    return Away{};
}

// Frames drawn with a picture whose pixels had to be brought in at once.
int lateFrames = 0;

// Brings in a picture drawn without its pixels, at once; whether it had any to come.
bool bringInNow(const sf::Texture* texture) {
    const auto sheet = sheetOfStandIn().find(texture);
    if (sheet != sheetOfStandIn().end()) {
        const sf::Texture* atlas = sheet->second->atlas;
        const auto itsJob = [atlas](const Job& job) {
            return job.kind == JobKind::Sheet && job.texture == atlas;
        };
        if (sheet->second->arrived || !loader().onItsWay(itsJob))
            return false;
        loader().await(itsJob);
        return true;
    }
    const bool coming = comingSizes().count(texture) > 0;
    if (!coming && texture->getNativeHandle() != 0)
        return false;
    const Away away = sharedTexture(texture);
    if (away.path.empty())
        return false;
    if (!coming) {
        loadTexture(away.path); // a picture the intro let go of for good, asked for again
    } else if (!onItsWay(away)) {
        // Let go of by a holding: back for this frame (its holding still counts it as away).
        bringBack(away, true);
    }
    loader().await([texture](const Job& job) { return textureOf(job) == texture; });
    return true;
}

} // namespace

int bringInDrawn(const std::vector<const sf::Texture*>& drawn) {
    int late = 0;
    for (const sf::Texture* texture : drawn)
        late += bringInNow(texture) ? 1 : 0;
    lateFrames += late > 0 ? 1 : 0;
    return late;
}

int framesWithLatePictures() {
    return lateFrames;
}

void holdTextures(const std::string& pathStart, bool held, bool needed) {
    Holding& holding = holdings()[pathStart];
    if (held == holding.held) {
        // Brought back for later and needed now: wait for them if they are still on their way.
        if (held && needed &&
            std::any_of(holding.pictures.begin(), holding.pictures.end(), onItsWay))
            loader().bring(Bring::Everything);
        return;
    }
    holding.held = held;
    if (!held) {
        holding.pictures = texturesWithPixels(pathStart);
        // A picture with a holding of its own (the credits page in the menus' folder) is kept
        // or let go of by that one alone.
        for (const auto& other : holdings())
            if (other.first != pathStart && startsWith(other.first, pathStart))
                holding.pictures.erase(std::remove_if(holding.pictures.begin(),
                                                      holding.pictures.end(),
                                                      [&](const Away& away) {
                                                          return startsWith(away.path, other.first);
                                                      }),
                                       holding.pictures.end());
        for (const Away& away : holding.pictures)
            letGo(away);
        return;
    }
    for (const Away& away : holding.pictures)
        bringBack(away, needed);
    if (needed)
        loader().bring(Bring::Needed);
}

void holdTexture(const sf::Texture* texture, bool held, bool needed) {
    if (!texture)
        return;
    static std::unordered_map<const sf::Texture*, std::string> paths;
    auto known = paths.find(texture);
    // A texture that is not shared (a sprite's own) stays unknown: looked up only once.
    if (known == paths.end())
        known = paths.emplace(texture, sharedTexture(texture).path).first;
    if (!known->second.empty())
        holdTextures(known->second, held, needed);
}

const std::set<std::string>& requestedResourcePaths() {
    return requested();
}

const sf::Texture* loadTexture(const std::string& path) {
    auto& cache = textureCache();
    auto found = cache.find(path);
    const bool wasReleased = released().erase(path) > 0;
    if (found != cache.end() && !wasReleased)
        return found->second.get();
    const std::string file = locate(path);
    if (found == cache.end())
        found = cache.emplace(path, std::make_unique<sf::Texture>()).first;
    sf::Texture* texture = found->second.get();
    if (!texture)
        return nullptr; // remembered as missing so the disk is asked only once
    sf::Vector2u size;
    if (!file.empty() && loader().deferring && pictureSize(file, size) &&
        size.x <= sf::Texture::getMaximumSize() && size.y <= sf::Texture::getMaximumSize()) {
        comingSizes()[texture] = size;
        auto job = newJob(JobKind::Texture, path, file);
        job->texture = texture;
        loader().queue(std::move(job));
        return texture;
    }
    comingSizes().erase(texture);
    if (file.empty() || !texture->loadFromFile(file)) {
        found->second.reset();
        return nullptr;
    }
    return texture;
}

const sf::Texture* loadBackdrop(const std::string& path) {
    auto& cache = backdropCache();
    auto found = cache.find(path);
    if (found != cache.end())
        return found->second ? &found->second->getTexture() : nullptr;
    const std::string file = locate(path);
    sf::Vector2u size;
    if (file.empty() || !pictureSize(file, size) || size.x > sf::Texture::getMaximumSize() ||
        size.y > sf::Texture::getMaximumSize()) {
        cache.emplace(path, nullptr);
        return nullptr;
    }
    auto backdrop = std::make_unique<sf::RenderTexture>();
    const sf::Texture* texture = &backdrop->getTexture();
    comingSizes()[texture] = size;
    auto job = newJob(JobKind::Backdrop, path, file);
    job->backdrop = backdrop.get();
    cache.emplace(path, std::move(backdrop));
    loadOrQueue(std::move(job));
    return texture;
}

bool isBackdrop(const sf::Texture* texture) {
    return backdrops().count(texture) > 0;
}

const sf::Image* loadImage(const std::string& path) {
    auto& cache = imageCache();
    auto found = cache.find(path);
    if (found != cache.end())
        return found->second.get();
    auto image = std::make_unique<sf::Image>();
    const std::string file = locate(path);
    if (file.empty() || !image->loadFromFile(file))
        image.reset();
    const sf::Image* result = image.get();
    cache.emplace(path, std::move(image));
    return result;
}

const CollisionMap* loadCollisionMap(const std::string& path,
                                     void (*classify)(const sf::Image&, CollisionMap&)) {
    auto& cache = collisionMapCache();
    auto found = cache.find(path);
    if (found != cache.end())
        return found->second.get();
    const std::string file = locate(path);
    std::unique_ptr<CollisionMap> map = file.empty() ? nullptr : std::make_unique<CollisionMap>();
    CollisionMap* result = map.get();
    cache.emplace(path, std::move(map));
    if (!result)
        return nullptr;
    auto job = newJob(JobKind::PathMap, path, file);
    job->map = result;
    job->classify = classify;
    if (loader().deferring) {
        loader().queue(std::move(job));
        return result;
    }
    const bool ok = (decode(*job), job->ok);
    if (!ok) {
        cache[path].reset();
        return nullptr;
    }
    *result = std::move(job->classes);
    return result;
}

std::vector<const sf::Texture*> loadTrimmedSheets(const std::vector<SheetRequest>& requests) {
    auto& standIns = sheetStandIns();
    std::vector<const sf::Texture*> result;
    auto job = std::make_unique<Job>();
    job->kind = JobKind::Sheet;
    for (const SheetRequest& request : requests) {
        auto found = standIns.find(request.path);
        if (found != standIns.end()) {
            result.push_back(found->second.get());
            continue;
        }
        const std::string file = locate(request.path);
        sf::Vector2u size;
        if (file.empty() || request.frameWidth <= 0 || request.frameHeight <= 0 ||
            !pictureSize(file, size)) {
            standIns.emplace(request.path, nullptr);
            result.push_back(nullptr);
            continue;
        }
        auto standIn = std::make_unique<sf::Texture>();
        auto sheet = std::make_unique<TrimmedSheet>();
        sheet->standIn = standIn.get();
        sheet->size = size;
        sheet->frameWidth = request.frameWidth;
        sheet->frameHeight = request.frameHeight;
        sheet->columns = static_cast<int>(size.x) / request.frameWidth;
        sheet->rows = static_cast<int>(size.y) / request.frameHeight;
        SheetPart part;
        part.file = file;
        part.frameWidth = request.frameWidth;
        part.frameHeight = request.frameHeight;
        part.sheet = sheet.get();
        job->sheets.push_back(std::move(part));
        job->path += (job->path.empty() ? "" : ", ") + request.path;
        sheetOfStandIn()[standIn.get()] = sheet.get();
        trimmedSheets().push_back(std::move(sheet));
        result.push_back(standIn.get());
        standIns.emplace(request.path, std::move(standIn));
    }
    if (job->sheets.empty())
        return result;
    atlasPages().emplace_back(std::make_unique<sf::Texture>());
    job->texture = atlasPages().back().get();
    for (SheetPart& part : job->sheets)
        part.sheet->atlas = job->texture;
    loadOrQueue(std::move(job));
    return result;
}

const sf::Texture* loadTrimmedSheet(const std::string& path, int frameWidth, int frameHeight) {
    return loadTrimmedSheets({SheetRequest{path, frameWidth, frameHeight}}).front();
}

TrimmedDraw trimmedFrame(const sf::Sprite& sprite, std::vector<sf::Sprite>& pieces) {
    const sf::Texture* texture = sprite.getTexture();
    if (!texture)
        return TrimmedDraw::NotTrimmed;
    const auto found = sheetOfStandIn().find(texture);
    if (found == sheetOfStandIn().end())
        return TrimmedDraw::NotTrimmed;
    const TrimmedSheet* sheet = found->second;
    const sf::IntRect frame = sprite.getTextureRect();
    if (!sheet->arrived || frame.width <= 0 || frame.height <= 0 || frame.left < 0 || frame.top < 0)
        return TrimmedDraw::Nothing;
    const int column = frame.left / sheet->frameWidth, row = frame.top / sheet->frameHeight;
    if (column >= sheet->columns || row >= sheet->rows ||
        frame.left + frame.width > (column + 1) * sheet->frameWidth ||
        frame.top + frame.height > (row + 1) * sheet->frameHeight)
        return TrimmedDraw::Nothing; // never more than one frame
    const std::size_t cell = static_cast<std::size_t>(row * sheet->columns + column);
    const std::size_t before = pieces.size();
    const int first = sheet->firstPiece[cell], end = sheet->firstPiece[cell + 1];
    for (int piece = first; piece < end; ++piece) {
        const sf::IntRect& box = sheet->pieces[static_cast<std::size_t>(piece)];
        // One pixel more all around (inside the frame): the quad's edges stay off the visible
        // pixels, as the whole frame's did. Not where the piece meets the next one: there the
        // two quads share their edge, so every pixel is drawn by one of them only.
        const bool joinsAbove =
            piece > first && sheet->pieces[static_cast<std::size_t>(piece - 1)].top +
                                     sheet->pieces[static_cast<std::size_t>(piece - 1)].height ==
                                 box.top;
        const bool joinsBelow =
            piece + 1 < end &&
            sheet->pieces[static_cast<std::size_t>(piece + 1)].top == box.top + box.height;
        const int left = std::max(box.left - 1, frame.left);
        const int top = std::max(joinsAbove ? box.top : box.top - 1, frame.top);
        const int right = std::min(box.left + box.width + 1, frame.left + frame.width);
        const int bottom = std::min(joinsBelow ? box.top + box.height : box.top + box.height + 1,
                                    frame.top + frame.height);
        if (right <= left || bottom <= top)
            continue;
        const sf::IntRect shown(left, top, right - left, bottom - top);
        const sf::Vector2i at = sheet->atlasAt[static_cast<std::size_t>(piece)];
        pieces.push_back(sprite);
        sf::Sprite& drawn = pieces.back();
        drawn.setTexture(*sheet->atlas);
        drawn.setTextureRect(sf::IntRect(at.x + shown.left - box.left, at.y + shown.top - box.top,
                                         shown.width, shown.height));
        drawn.setOrigin(sprite.getOrigin() -
                        sf::Vector2f(static_cast<float>(shown.left - frame.left),
                                     static_cast<float>(shown.top - frame.top)));
    }
    return pieces.size() > before ? TrimmedDraw::Draw : TrimmedDraw::Nothing;
}

void prefetchPicture(const std::string& path) {
    Loader& load = loader();
    if (load.pendingPrefetch(path))
        return;
    const std::string file = locate(path);
    if (file.empty())
        return;
    auto job = newJob(JobKind::Prefetch, path, file);
    job->soon = true;
    load.queue(std::move(job));
}

bool loadTextureInto(sf::Texture& texture, const std::string& path) {
    Loader& load = loader();
    bool ok = false;
    if (Job* job = load.awaitPrefetch(path)) {
        requested().insert(path);
        ok = job->ok;
        if (ok && texture.getSize() == job->image.getSize())
            texture.update(job->image);
        else if (ok)
            ok = texture.loadFromImage(job->image);
        load.prefetched.erase(path);
    } else {
        const std::string file = locate(path);
        ok = !file.empty() && texture.loadFromFile(file);
    }
    if (!ok)
        texture = sf::Texture();
    return ok;
}

void releaseTexture(const std::string& path) {
    finishLoading();
    loader().prefetched.clear();
    auto found = textureCache().find(path);
    if (found == textureCache().end() || !found->second)
        return;
    *found->second = sf::Texture();
    released().insert(path);
}

void deferLoading() {
    loader().deferring = true;
}

void bringInLoaded() {
    loader().bring(Bring::FrameShare);
}

void finishLoading() {
    loader().deferring = false;
    loader().bring(Bring::Needed);
}

void beforeLoadingThread(std::function<void()> work) {
    loader().beforeStart(std::move(work));
}

const sf::Font* gameFont() {
    static std::unique_ptr<sf::Font> font;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const std::string file = locate("../resources/fonts/SlyCooper.ttf");
        font = std::make_unique<sf::Font>();
        if (file.empty() || !font->loadFromFile(file))
            font.reset();
    }
    return font.get();
}

bool loadSoundBuffer(sf::SoundBuffer& buffer, const std::string& path, bool soon) {
    const std::string file = locate(path);
    if (file.empty())
        return false;
    auto job = newJob(JobKind::Sound, path, file);
    job->buffer = &buffer;
    job->soon = soon;
    return loadOrQueue(std::move(job));
}

void awaitSoundBuffer(const sf::SoundBuffer& buffer) {
    loader().await(
        [&](const Job& job) { return job.kind == JobKind::Sound && job.buffer == &buffer; });
}

bool openMusic(MusicStream& music, const std::string& path) {
    const std::string file = locate(path);
    if (file.empty())
        return false;
    auto job = newJob(JobKind::Music, path, file);
    job->music = &music;
    job->soon = true;
    return loadOrQueue(std::move(job));
}

void forgetAudioLoading(const AudioBank& bank) {
    const auto inBank = [&](const Job& job) {
        const sf::SoundBuffer* buffer = job.buffer;
        const MusicStream* music = job.music;
        return (job.kind == JobKind::Sound && buffer >= std::begin(bank.buffers) &&
                buffer < std::end(bank.buffers)) ||
               (job.kind == JobKind::Music && music >= std::begin(bank.musics) &&
                music < std::end(bank.musics));
    };
    loader().forget(inBank);
}

bool musicOpened(const MusicStream& music, bool wait) {
    const auto opening = [&](const Job& job) {
        return job.kind == JobKind::Music && job.music == &music;
    };
    if (wait)
        loader().await(opening);
    return !loader().onItsWay(opening);
}

bool loadFragmentShader(sf::Shader& shader, const std::string& path) {
    if (!sf::Shader::isAvailable())
        return false;
    const std::string file = locate(path);
    if (file.empty())
        return false;
    auto job = newJob(JobKind::Shader, path, file);
    job->shader = &shader;
    return loadOrQueue(std::move(job));
}

void setWindowIcon(sf::Window& window) {
    if (const sf::Image* icon = loadImage("../resources/textures/icon/gobbler.png"))
        window.setIcon(icon->getSize().x, icon->getSize().y, icon->getPixelsPtr());
}

sf::Vector2u textureSize(const sf::Texture* texture) {
    if (!texture)
        return sf::Vector2u();
    const auto sheet = sheetOfStandIn().find(texture);
    if (sheet != sheetOfStandIn().end())
        return sheet->second->size;
    auto coming = comingSizes().find(texture);
    return coming != comingSizes().end() ? coming->second : texture->getSize();
}

void setSpriteTexture(sf::Sprite& sprite, const sf::Texture* texture, bool resetRect) {
    if (texture) {
        // A sprite given its first texture without a frame shows the whole picture, also one
        // whose pixels are still on their way.
        const bool whole =
            resetRect || (!sprite.getTexture() && sprite.getTextureRect() == sf::IntRect());
        sprite.setTexture(*texture, resetRect);
        if (whole) {
            const sf::Vector2u size = textureSize(texture);
            sprite.setTextureRect(
                sf::IntRect(0, 0, static_cast<int>(size.x), static_cast<int>(size.y)));
        }
        return;
    }
    sf::Sprite blank;
    blank.setTextureRect(sprite.getTextureRect());
    blank.setOrigin(sprite.getOrigin());
    blank.setPosition(sprite.getPosition());
    blank.setScale(sprite.getScale());
    blank.setRotation(sprite.getRotation());
    blank.setColor(sprite.getColor());
    sprite = blank;
}

sf::Sprite makeSprite(const sf::Texture* texture, float x, float y) {
    sf::Sprite sprite;
    if (texture)
        setSpriteTexture(sprite, texture, true);
    sprite.setPosition(x, y);
    return sprite;
}

std::string hudPath(const char* name) {
    return std::string("../resources/textures/hud/") + name;
}

sf::String utf8(const std::string& text) {
    return sf::String::fromUtf8(text.begin(), text.end());
}

sf::Text makeText(const std::string& text, unsigned size, sf::Color color, float x, float y) {
    sf::Text result;
    if (const sf::Font* font = gameFont())
        result.setFont(*font);
    result.setString(utf8(text));
    result.setCharacterSize(size);
    result.setFillColor(color);
    result.setPosition(x, y);
    return result;
}

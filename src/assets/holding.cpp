// Holding pictures only around the screens that show them: a shared texture let go of keeps its
// size (sprites still frame it) and is brought back by the loading thread on the way to its
// screen; a texture drawn without its pixels is brought in at once (bringInDrawn).
#include "assets/assets.h"
#include "assets/caches.h"
#include "assets/loader.h"
#include "assets/picture_files.h"
#include "lang/lang.h"
#include "platform/platform.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

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
                      pictureFile(away.path));
    job->texture = away.texture;
    job->backdrop = away.backdrop;
    job->later = !needed;
    job->soon = needed;
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

// Cuts again, from the files of the language spoken, every trimmed sheet packed in the atlas
// with one that has words in it (the dining room's television), and waits for it.
void retrimSheetsWithWords(const std::string& before, const std::string& now) {
    std::set<const sf::Texture*> atlases;
    for (const auto& entry : sheetStandIns())
        if (entry.second && (hasTwin(entry.first, before) || hasTwin(entry.first, now)))
            atlases.insert(sheetOfStandIn().at(entry.second.get())->atlas);
    for (const std::unique_ptr<sf::Texture>& page : atlasPages()) {
        if (!atlases.count(page.get()))
            continue;
        sf::Texture* atlas = page.get();
        const auto itsJob = [atlas](const Job& job) {
            return job.kind == JobKind::Sheet && job.texture == atlas;
        };
        // A cut still on its way was read in the language before: it comes first.
        loader().await(itsJob);
        auto job = std::make_unique<Job>();
        job->kind = JobKind::Sheet;
        job->texture = atlas;
        job->soon = true;
        for (const std::unique_ptr<TrimmedSheet>& sheet : trimmedSheets()) {
            if (sheet->atlas != atlas)
                continue;
            const auto named = std::find_if(
                sheetStandIns().begin(), sheetStandIns().end(),
                [&sheet](const auto& entry) { return entry.second.get() == sheet->standIn; });
            SheetPart part;
            part.file = pictureFile(named->first);
            part.frameWidth = sheet->frameWidth;
            part.frameHeight = sheet->frameHeight;
            part.sheet = sheet.get();
            job->path += (job->path.empty() ? "" : ", ") + named->first;
            job->sheets.push_back(std::move(part));
        }
        loadOrQueue(std::move(job));
        loader().await(itsJob);
    }
}

// A picture drawn without its pixels: brought in at once (`wait`), or only set on its way;
// whether it had any to come.
bool bringInNow(const sf::Texture* texture, bool wait) {
    const auto sheet = sheetOfStandIn().find(texture);
    if (sheet != sheetOfStandIn().end()) {
        const sf::Texture* atlas = sheet->second->atlas;
        const auto itsJob = [atlas](const Job& job) {
            return job.kind == JobKind::Sheet && job.texture == atlas;
        };
        if (sheet->second->arrived || !loader().onItsWay(itsJob))
            return false;
        if (wait)
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
    if (wait)
        loader().await([texture](const Job& job) { return textureOf(job) == texture; });
    return true;
}

} // namespace

int bringInDrawn(const std::vector<const sf::Texture*>& drawn, bool wait) {
    int late = 0;
    for (const sf::Texture* texture : drawn)
        late += bringInNow(texture, wait) ? 1 : 0;
    lateFrames += late > 0 ? 1 : 0;
    return late;
}

bool loadingDeferred() {
    return loader().deferring;
}

int framesWithLatePictures() {
    return lateFrames;
}

void holdTextures(const std::string& pathStart, bool held, bool needed) {
    Holding& holding = holdings()[pathStart];
    if (held == holding.held) {
        // Brought back for later and needed now: wait for them if they are still on their way
        // (while the game plays on meanwhile, the frame shows them when they come instead).
        if (held && needed && !loader().deferring &&
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
    for (const Away& away : holding.pictures) {
        // Asked for anew while let go of (a new game's intro loads its pictures again): back
        // already, or on its way.
        if (comingSizes().count(away.shown()) == 0 || onItsWay(away))
            continue;
        bringBack(away, needed);
    }
    if (needed && !loader().deferring)
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

void releaseTexture(const std::string& path) {
    // Pictures decoded ahead that nobody took go; nothing still on its way fills this texture.
    loader().forget([](const Job& job) { return job.kind == JobKind::Prefetch; });
    loader().prefetched.clear();
    Away away;
    const auto picture = textureCache().find(path);
    const auto backdrop = backdropCache().find(path);
    if (picture != textureCache().end() && picture->second)
        away = Away{path, picture->second.get(), nullptr};
    else if (backdrop != backdropCache().end() && backdrop->second)
        away = Away{path, nullptr, backdrop->second.get()};
    else
        return;
    letGo(away);
    released().insert(path);
}

void rereadPicturesWithWords(const std::string& before) {
    const std::string& now = currentLanguage();
    for (const Away& away : texturesWithPixels("")) {
        if (!hasTwin(away.path, before) && !hasTwin(away.path, now))
            continue;
        // One let go of comes back from the language's file when it is asked for again.
        if (comingSizes().count(away.shown()) && !onItsWay(away))
            continue;
        // The same texture, so every sprite that shows it shows the words of the language now.
        letGo(away);
        bringBack(away, true);
        const sf::Texture* shown = away.shown();
        loader().await([shown](const Job& job) { return textureOf(job) == shown; });
    }
    retrimSheetsWithWords(before, now);
    notePicturesChanged();
}

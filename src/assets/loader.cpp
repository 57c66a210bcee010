// The loading thread's jobs: what each decodes away from the game's thread and how it is brought
// in; the loader's public face (prefetching, the deferred loading, sounds, musics, the shader).
#include "assets/loader.h"

#include "assets/assets.h"
#include "assets/caches.h"
#include "assets/picture_files.h"

#include "platform/platform.h"

#include <SFML/Audio/InputSoundFile.hpp>

namespace {

// The light's shader is a page of text.
constexpr std::size_t maxShaderBytes = 256 * 1024;

} // namespace

std::unique_ptr<Job> newJob(JobKind kind, const std::string& path, const std::string& file) {
    auto job = std::make_unique<Job>();
    job->kind = kind;
    job->path = path;
    job->file = file;
    return job;
}

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
    case JobKind::Shader:
        // Read as the game's own files are: bounded, and never a pipe waited on.
        job.ok = readOwnFile(job.file.c_str(), maxShaderBytes, job.source) == OwnFileRead::Read;
        break;
    }
}

namespace {

// A picture's pixels into its shared texture, or a backdrop's into its render texture; nothing
// for one let go of while it was on its way.
void bringInPicture(Job& job) {
    const sf::Texture* texture = job.texture ? job.texture : &job.backdrop->getTexture();
    --inFlight()[texture];
    auto drop = dropped().find(texture);
    if (drop != dropped().end() && drop->second > 0) {
        --drop->second;
        return;
    }
    auto coming = comingSizes().find(texture);
    const sf::Vector2u size = coming != comingSizes().end() ? coming->second : texture->getSize();
    if (coming != comingSizes().end())
        comingSizes().erase(coming);
    // A broken picture shows a plain stand-in of its size, never what memory held.
    if (!job.ok || job.image.getSize() != size) {
        reportUnreadable(job.file);
        job.image = standInPicture(size, job.backdrop != nullptr);
    }
    sf::Texture& pixels = const_cast<sf::Texture&>(*texture);
    notePicturesChanged(texture);
    pixels.setSmooth(picturesSmooth());
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
}

// An atlas's pixels, and each of its sheets' pieces.
void bringInSheets(Job& job) {
    for (const SheetPart& part : job.sheets)
        if (!job.ok || !part.ok)
            reportUnreadable(part.file);
    notePicturesChanged(job.texture);
    job.texture->setSmooth(picturesSmooth());
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
}

} // namespace

void bringIn(Job& job, std::map<std::string, std::unique_ptr<Job>>& prefetched,
             std::unique_ptr<Job>& owned) {
    switch (job.kind) {
    case JobKind::Texture:
    case JobKind::Backdrop:
        bringInPicture(job);
        break;
    case JobKind::Sheet:
        bringInSheets(job);
        break;
    case JobKind::PathMap:
        if (job.ok)
            *job.map = std::move(job.classes);
        else
            reportUnreadable(job.file);
        break;
    case JobKind::Sound:
        job.ok = job.ok && !job.samples.empty() &&
                 job.buffer->loadFromSamples(job.samples.data(), job.samples.size(), job.channels,
                                             job.sampleRate);
        if (!job.ok)
            reportUnreadable(job.file);
        break;
    case JobKind::Music:
        if (!job.ok)
            reportUnreadable(job.file);
        break;
    case JobKind::Shader:
        if (!job.ok)
            reportUnreadable(job.file);
        // Compiled here, where GL calls are made; a shader that does not compile stays empty.
        job.ok = job.ok && !job.source.empty() &&
                 job.shader->loadFromMemory(job.source, sf::Shader::Fragment);
        break;
    case JobKind::Prefetch:
        prefetched[job.path] = std::move(owned);
        break;
    }
}

const sf::Texture* textureOf(const Job& job) {
    if (job.kind == JobKind::Texture)
        return job.texture;
    if (job.kind == JobKind::Backdrop)
        return &job.backdrop->getTexture();
    return nullptr;
}

Loader& loader() {
    static Loader instance;
    return instance;
}

bool runNow(std::unique_ptr<Job> job) {
    if (const sf::Texture* texture = textureOf(*job))
        ++inFlight()[texture];
    decode(*job);
    Job& taken = *job;
    bringIn(taken, loader().prefetched, job);
    return taken.ok;
}

bool loadOrQueue(std::unique_ptr<Job> job) {
    if (!loader().deferring)
        return runNow(std::move(job));
    loader().queue(std::move(job));
    return true;
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

void awaitPathImages() {
    loader().await([](const Job& job) { return job.kind == JobKind::PathMap; });
}

bool picturePrefetched(const std::string& path) {
    return loader().prefetched.count(path) > 0;
}

bool loadTextureInto(sf::Texture& texture, const std::string& path) {
    Loader& load = loader();
    bool ok = false;
    if (Job* job = load.awaitPrefetch(path)) {
        requested().insert(path);
        ok = job->ok;
        if (!ok)
            reportUnreadable(job->file);
        if (ok && texture.getSize() == job->image.getSize())
            texture.update(job->image);
        else if (ok)
            ok = texture.loadFromImage(job->image);
        load.prefetched.erase(path);
    } else {
        const std::string file = locate(path);
        ok = !file.empty() && texture.loadFromFile(file);
        if (!file.empty() && !ok)
            reportUnreadable(file);
    }
    if (!ok)
        texture = sf::Texture();
    texture.setSmooth(picturesSmooth());
    notePicturesChanged(&texture);
    return ok;
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

void forgetAudioLoading(const sf::SoundBuffer* buffers, int soundCount, const MusicStream* musics,
                        int musicCount) {
    const auto inBank = [&](const Job& job) {
        const sf::SoundBuffer* buffer = job.buffer;
        const MusicStream* music = job.music;
        return (job.kind == JobKind::Sound && buffer >= buffers && buffer < buffers + soundCount) ||
               (job.kind == JobKind::Music && music >= musics && music < musics + musicCount);
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

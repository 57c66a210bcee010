// Loading of the game's pictures, sounds, musics, font and shader from "../resources/".
// A file that is missing or broken gives a null handle (or false) and the game goes on.
//
// Start-up decodes only what the splash shows. From deferLoading() on, the pictures, path
// images and sounds asked for are decoded by a loading thread while the splash plays: a picture
// asked for then is at once a texture of its final size (sprites can be framed on it) that shows
// its pixels once they are brought in, a few a frame, on this thread (GL and audio calls never
// leave it). finishLoading() brings in everything at once, waiting for what is still decoding.
#pragma once

#include "lang/lang.h"

#include <SFML/Audio.hpp>
#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/SoundStream.hpp>
#include <SFML/Graphics.hpp>

#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

// A hidden path image, kept in main memory as what each pixel means to a customer standing on
// it (its class), row by row as runs of one class: a path image is a few bands of colour, a
// handful of runs a row, so a read needs no texture download and the seven images of the game
// hold a hundred kilobytes instead of fourteen megabytes.
struct CollisionMap {
    sf::Vector2u size;
    std::vector<std::uint32_t> rowStart; // each row's first run, then the end of the last row's
    std::vector<std::uint32_t> runEnd;   // the column after each run
    std::vector<std::uint8_t> runClass;

    sf::Vector2u getSize() const { return size; }
    // The class at (x, y), inside the image.
    int classAt(unsigned x, unsigned y) const {
        std::uint32_t run = rowStart[y];
        while (runEnd[run] <= x)
            ++run;
        return runClass[run];
    }
    // Starts an empty image of that size; rows follow with addRow, top to bottom.
    void start(sf::Vector2u imageSize) {
        size = imageSize;
        rowStart.assign(1, 0);
        runEnd.clear();
        runClass.clear();
    }
    // The next row, from one class a pixel (size.x of them).
    void addRow(const std::uint8_t* classes) {
        for (unsigned x = 0; x < size.x; ++x) {
            if (x + 1 < size.x && classes[x + 1] == classes[x])
                continue;
            runEnd.push_back(x + 1);
            runClass.push_back(classes[x]);
        }
        rowStart.push_back(static_cast<std::uint32_t>(runEnd.size()));
    }
};

// A music streamed from its file a quarter of a second at a time. Starting one decodes three
// such chunks (under a second of sound) on its streaming thread, where the audio library's own
// music decodes three seconds first: a level that starts its music costs a few milliseconds
// less, on a machine whose two cores also draw the frame.
class MusicStream final : public sf::SoundStream {
  public:
    // Stops the streaming thread before the file it reads goes.
    ~MusicStream() override;

    // Opens a music file (its header is read now); false when missing or not a sound.
    bool openFromFile(const std::string& file);

  private:
    bool onGetData(Chunk& data) override;
    void onSeek(sf::Time offset) override;

    std::mutex mutex_; // the streaming thread reads while the game may seek or reopen
    sf::InputSoundFile file_;
    std::vector<sf::Int16> chunk_;
};

// A texture, loaded once and shared by every object that shows it; null when missing.
const sf::Texture* loadTexture(const std::string& path);
// An opaque picture the size of the frame (a map): stored the way the frame stores its pixels,
// so that drawBackdrop (core/render.h) copies it in instead of drawing it. Shown by sprites like
// any texture. Null when missing.
const sf::Texture* loadBackdrop(const std::string& path);
// Whether a texture is a backdrop whose pixels have arrived.
bool isBackdrop(const sf::Texture* texture);
// A CPU-side image (the window's icon), loaded at once; null when missing.
const sf::Image* loadImage(const std::string& path);
// A path image as one class a pixel, made from the picture by `classify`; null when missing.
const CollisionMap* loadCollisionMap(const std::string& path,
                                     void (*classify)(const sf::Image&, CollisionMap&));
// A sheet of frames of frameWidth x frameHeight kept trimmed: each frame cut into pieces of its
// visible pixels in an atlas. The texture returned stands for the whole sheet in sprites (frame
// rectangles count in the sheet) but has no pixels of its own: draw such sprites with
// drawSprite (core/render.h). Null when missing.
const sf::Texture* loadTrimmedSheet(const std::string& path, int frameWidth, int frameHeight);
// One sheet of a shared atlas: its path and the size of its frames.
struct SheetRequest {
    std::string path;
    int frameWidth = 0, frameHeight = 0;
};
// Sheets kept trimmed as loadTrimmedSheet keeps them, all in one atlas: sprites of any of them
// are drawn from the same texture, so a run of them in the world queue is one draw. One
// stand-in per request, in order (null when missing); a sheet already loaded keeps its own.
std::vector<const sf::Texture*> loadTrimmedSheets(const std::vector<SheetRequest>& requests);
// What to draw for a sprite that shows a trimmed sheet.
enum class TrimmedDraw { NotTrimmed, Draw, Nothing };
// NotTrimmed for a sprite of any other texture; else the same frame as the pieces that show its
// visible pixels, added to `pieces`: sprites of the atlas, each at exactly the place its pixels
// have in the whole frame (Nothing when none are visible or the sheet has not arrived yet).
TrimmedDraw trimmedFrame(const sf::Sprite& sprite, std::vector<sf::Sprite>& pieces);

// Waits for the path images still on their way (a level is about to be walked).
void awaitPathImages();
// Decodes a picture ahead of need on the loading thread (the next logo frame).
void prefetchPicture(const std::string& path);
// Whether a picture decoded ahead is ready to be taken without waiting.
bool picturePrefetched(const std::string& path);
// Fills a texture that belongs to its caller with a picture: the prefetched one when it was
// asked for (waiting for it if it is still decoding), else read now. False when missing.
bool loadTextureInto(sf::Texture& texture, const std::string& path);
// Lets go of a shared texture's pixels (the intro's pictures once it is over); the texture
// stays, empty, and a later loadTexture of the same path fills it again. Prefetched pictures
// nobody took are dropped too.
void releaseTexture(const std::string& path);
// After a switch of language from `before`: the pictures with words in them that have pixels
// show those of the language spoken now, at once (the same textures, so every sprite follows).
void rereadPicturesWithWords(const std::string& before);
// Keeps the pixels of the shared textures (pictures and backdrops) whose path starts with
// `pathStart` while `held`, and lets go of them otherwise (the textures stay, empty, their size
// known, so sprites keep them). Pictures let go of are brought back when held again, decoded on
// the loading thread (the disk is not asked here): while `needed` they are waited for (by
// finishLoading(), or by this call when they were brought back earlier as not needed yet); else
// they arrive over the next frames. Cheap when nothing changes.
void holdTextures(const std::string& pathStart, bool held, bool needed);
// The same for one shared texture (nothing for null).
void holdTexture(const sf::Texture* texture, bool held, bool needed);

// Brings in at once the pictures of this list (the textures a frame drew) that were drawn
// without their pixels: let go of, or still on their way. Gives how many there were; the
// frame is drawn again when there were any. Without `wait` they are only set on their way,
// first in the queue, and the frame is not shown until they come.
int bringInDrawn(const std::vector<const sf::Texture*>& drawn, bool wait = true);
// Whether pictures are still being decoded on the loading thread as they are asked for (the
// game, from its first frame on); else each is loaded when asked for (tests, once started).
bool loadingDeferred();
// How many frames have needed that so far (the screens' holdings fetch ahead so that none do).
int framesWithLatePictures();

// From now on, decode what is asked for on the loading thread.
void deferLoading();
// Brings in a few of the decoded pictures and sounds (at most 2 textures, 4 MB a frame), those
// not needed yet included.
void bringInLoaded();
// Waits for everything needed and brings it in, with what else has been decoded meanwhile;
// loading is immediate from then on.
void finishLoading();
// Runs `work` here once the first frame is shown, just before the loading thread starts (at once
// when it runs already): the opening of the audio device, whose library reports on the error
// stream that the loading thread writes to when a picture is broken.
void beforeLoadingThread(std::function<void()> work);

// The game's one font; null when missing.
const sf::Font* gameFont();
// A sound buffer, decoded on the loading thread while loading is deferred: `soon` when it is
// played in a moment (the splash's sounds), before the pictures for later.
bool loadSoundBuffer(sf::SoundBuffer& buffer, const std::string& path, bool soon = false);
// Waits for a sound buffer still on its way and brings it in (nothing when it is not).
void awaitSoundBuffer(const sf::SoundBuffer& buffer);
// A music, opened (its header read) on the loading thread while loading is deferred, before the
// pictures; nothing but its volume and loop may be touched until musicOpened.
bool openMusic(MusicStream& music, const std::string& path);
// Whether a music has been opened, waiting for it when `wait` (else a music still being opened
// is not ready yet).
bool musicOpened(const MusicStream& music, bool wait);
// Forgets what is still to be loaded into these sounds and musics, about to go (waiting for the
// one being decoded if it is theirs).
void forgetAudioLoading(const sf::SoundBuffer* buffers, int soundCount, const MusicStream* musics,
                        int musicCount);
// A fragment shader; while loading is deferred its source is read on the loading thread and it
// is compiled when brought in (empty until then, and for good when it does not compile).
bool loadFragmentShader(sf::Shader& shader, const std::string& path);
// Gives the window the game's burger icon (none when the picture is missing).
void setWindowIcon(sf::Window& window);

// How many times a picture's pixels have changed so far (arrived, brought back, sampled anew):
// a frame that draws exactly what the last one drew may still show something new.
std::uint64_t picturesChanged();
// How many times this picture's pixels have changed: what was made from it once (a composite)
// is made again when it differs.
unsigned pictureVersion(const sf::Texture* texture);
// Counts a change of pixels, of this texture when one is given.
void notePicturesChanged(const sf::Texture* texture = nullptr);
// Whether every picture is sampled smoothly: when the frame is drawn smaller than the game's
// 1920 x 1080 each picture shrinks as it is drawn, and unfiltered it would lose its lines; at the
// game's own size they show pixel for pixel. Pictures that arrive later follow it too.
void smoothPictures(bool smooth);
bool picturesSmooth();
// Whether a texture has its pixels (a shared one neither let go of nor on its way).
bool hasPixels(const sf::Texture* texture);
// A texture's size in pixels, known from the start even while its pixels are on their way; for
// a trimmed sheet's stand-in, the whole sheet's.
sf::Vector2u textureSize(const sf::Texture* texture);
// Gives a sprite its texture, or takes it away when the texture is null so nothing is drawn;
// keeps the sprite's placement and frame.
void setSpriteTexture(sf::Sprite& sprite, const sf::Texture* texture, bool resetRect = false);
// A sprite showing a texture (or nothing), placed at (x, y).
sf::Sprite makeSprite(const sf::Texture* texture, float x = 0, float y = 0);
// A text in the game font.
sf::Text makeText(const std::string& utf8, unsigned size, sf::Color color, float x = 0,
                  float y = 0);
// The path of a picture of the HUD's folder.
std::string hudPath(const char* name);
// Converts the game's UTF-8 strings for SFML.
sf::String utf8(const std::string& text);
// A text fitted to maxWidth pixels of the game font at that size: the writer's lines when each
// fits, else its words flowed again into lines as full as they go.
sf::String wrapText(const sf::String& text, unsigned size, float maxWidth);
// Shows a French text in the language spoken at (x, y): words of another language are moved
// sideways so that their middle falls where the French words' middle would (a title placed for
// its French words stays centred over what it names).
void placeTextLikeFrench(sf::Text& text, const char* french, float x, float y);

// From now on the media library's own messages go nowhere: a file the game cannot read is named
// by a line of its own (reportUnreadable), the only words it writes on the console.
void quietLibraries();

// Every resource path the game has asked for so far, found or not.
const std::set<std::string>& requestedResourcePaths();

// Loading of the game's pictures, sounds, musics, font and shader from "../resources/".
// A file that is missing or broken gives a null handle (or false) and the game goes on.
//
// Start-up decodes only what the splash shows. From deferLoading() on, the pictures, path
// images and sounds asked for are decoded by a loading thread while the splash plays: a picture
// asked for then is at once a texture of its final size (sprites can be framed on it) that shows
// its pixels once they are brought in, a few a frame, on this thread (GL and audio calls never
// leave it). finishLoading() brings in everything at once, waiting for what is still decoding.
#pragma once

#include "core/game_state.h"

#include "core/language.h"

#include <SFML/Audio.hpp>
#include <SFML/Graphics.hpp>

#include <functional>
#include <set>
#include <string>
#include <vector>

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
// Speaks that language from now on (as chooseLanguage: French if it cannot be), and the
// pictures with words in them that have pixels show those of it at once (the same textures, so
// every sprite follows). Whether the language spoken changed.
bool speakLanguage(const std::string& language);
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
// Forgets what is still to be loaded into a bank's sounds and musics, about to go (waiting for
// the one being decoded if it is theirs).
void forgetAudioLoading(const AudioBank& bank);
// A fragment shader; while loading is deferred its source is read on the loading thread and it
// is compiled when brought in (empty until then, and for good when it does not compile).
bool loadFragmentShader(sf::Shader& shader, const std::string& path);
// Gives the window the game's burger icon (none when the picture is missing).
void setWindowIcon(sf::Window& window);

// How many times a picture's pixels have changed so far (arrived, brought back, sampled anew):
// a frame that draws exactly what the last one drew may still show something new.
std::uint64_t picturesChanged();
void notePicturesChanged();
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
// Shows a French text in the language spoken at (x, y): words of another language are moved
// sideways so that their middle falls where the French words' middle would (a title placed for
// its French words stays centred over what it names).
void placeTextLikeFrench(sf::Text& text, const char* french, float x, float y);

// Every resource path the game has asked for so far, found or not.
const std::set<std::string>& requestedResourcePaths();

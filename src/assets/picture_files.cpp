// Where a picture's file is, and its size from its header.
#include "assets/picture_files.h"

#include "assets/caches.h"
#include "lang/lang.h"
#include "platform/platform.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <system_error>
#include <unordered_map>

namespace {

const std::string resourcesName = "../resources/";
// The manifest lists a few hundred files in a few tens of kilobytes.
constexpr std::size_t maxManifestBytes = 1024 * 1024;
// A stand-in never asks for a texture larger than every machine can make.
constexpr unsigned maxStandInSide = 4096;

unsigned bigEndian(const unsigned char* bytes, int count) {
    unsigned value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | bytes[i];
    return value;
}

// Whether a picture has a twin in a language, asked of the disk once per twin.
bool twinExists(const std::string& twin) {
    static std::unordered_map<std::string, bool> known;
    const auto found = known.find(twin);
    if (found != known.end())
        return found->second;
    const bool exists = readableFile(resourceFile(twin));
    known.emplace(twin, exists);
    return exists;
}

std::unordered_map<std::string, sf::Vector2u> pictureSizes(const std::string& manifest) {
    // Lines of "path<tab>image<tab>WIDTHxHEIGHT"; any other line is passed over.
    std::unordered_map<std::string, sf::Vector2u> sizes;
    std::size_t start = 0;
    while (start < manifest.size()) {
        std::size_t end = manifest.find('\n', start);
        if (end == std::string::npos)
            end = manifest.size();
        const std::size_t firstTab = manifest.find('\t', start);
        const std::size_t secondTab =
            firstTab < end ? manifest.find('\t', firstTab + 1) : std::string::npos;
        if (secondTab < end && manifest.compare(firstTab, secondTab - firstTab, "\timage") == 0) {
            const char* at = manifest.data() + secondTab + 1;
            const char* const last = manifest.data() + end;
            unsigned width = 0, height = 0;
            const auto x = std::from_chars(at, last, width);
            if (x.ec == std::errc() && x.ptr < last && *x.ptr == 'x') {
                const auto y = std::from_chars(x.ptr + 1, last, height);
                if (y.ec == std::errc() && y.ptr == last && width > 0 && height > 0 &&
                    width <= maxStandInSide && height <= maxStandInSide)
                    sizes[manifest.substr(start, firstTab - start)] = sf::Vector2u(width, height);
            }
        }
        start = end + 1;
    }
    return sizes;
}

} // namespace

bool hasTwin(const std::string& path, const std::string& language) {
    return language != "fr" && twinExists(twinPath(path, language));
}

std::string pictureFile(const std::string& path) {
    const std::string& language = currentLanguage();
    return resourceFile(hasTwin(path, language) ? twinPath(path, language) : path);
}

std::string locate(const std::string& path) {
    requested().insert(path);
    std::string file = pictureFile(path);
    // Looked at before the libraries open it: a pipe in its place would keep them waiting.
    if (!readableFile(file)) {
        reportUnreadable(file);
        file.clear();
    }
    return file;
}

bool listedPictureSize(const std::string& path, sf::Vector2u& size) {
    // The manifest beside the resources lists every picture's size, read once when a picture is
    // first found missing.
    static std::unordered_map<std::string, sf::Vector2u> sizes;
    static bool read = false;
    if (!read) {
        read = true;
        std::string text;
        if (readOwnFile(resourceFile(resourcesName + "manifest.tsv").c_str(), maxManifestBytes,
                        text) == OwnFileRead::Read)
            sizes = pictureSizes(text);
    }
    const std::string listed = path.compare(0, resourcesName.size(), resourcesName) == 0
                                   ? path.substr(resourcesName.size())
                                   : path;
    const auto found = sizes.find(listed);
    if (found == sizes.end())
        return false;
    size = found->second;
    return true;
}

sf::Image standInPicture(sf::Vector2u size, bool opaque) {
    // Plain grey with a dark edge: seen over light and dark alike, and over what lies under it
    // (a missing picture may be one drawn over buttons).
    sf::Image picture;
    picture.create(size.x, size.y, sf::Color(150, 150, 150, opaque ? 255 : 112));
    const unsigned edge = std::min({3u, size.x, size.y});
    for (unsigned y = 0; y < size.y; ++y)
        for (unsigned x = 0; x < size.x; ++x)
            if (x < edge || y < edge || x >= size.x - edge || y >= size.y - edge)
                picture.setPixel(x, y, sf::Color(48, 48, 48));
    return picture;
}

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

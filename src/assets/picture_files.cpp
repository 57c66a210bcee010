// Where a picture's file is, and its size from its header.
#include "assets/picture_files.h"

#include "assets/caches.h"
#include "lang/lang.h"
#include "platform/platform.h"

#include <algorithm>
#include <fstream>
#include <unordered_map>

namespace {

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
    const bool exists = std::ifstream(resourceFile(twin), std::ios::binary).good();
    known.emplace(twin, exists);
    return exists;
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
    if (!std::ifstream(file, std::ios::binary).good())
        file.clear();
    return file;
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

#include "lang/lang.h"

#include "platform/platform.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The game's catalogues are a few tens of kilobytes; anything much larger is not one of them.
constexpr std::size_t maxCatalogueBytes = 4 * 1024 * 1024;
constexpr const char* catalogueName = "gobbler.mo";

struct Speaking {
    std::string language = "fr";
    Catalogue catalogue;
    unsigned switches = 0;
};

Speaking& speaking() {
    static Speaking state;
    return state;
}

// A 32-bit word of the catalogue, in the byte order its magic number told.
bool word(const std::string& bytes, std::size_t at, bool swapped, std::uint32_t& value) {
    if (at > bytes.size() || bytes.size() - at < 4)
        return false;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    value = swapped ? (std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 |
                       std::uint32_t(b[2]) << 8 | b[3])
                    : (std::uint32_t(b[3]) << 24 | std::uint32_t(b[2]) << 16 |
                       std::uint32_t(b[1]) << 8 | b[0]);
    return true;
}

// String `index` of a table of (length, offset) pairs, found in place: it must lie inside the
// catalogue with its closing zero. Nothing is copied.
bool tableString(const std::string& bytes, std::uint32_t table, std::uint32_t index, bool swapped,
                 std::size_t& offset, std::size_t& length) {
    std::uint32_t wordLength = 0, wordOffset = 0;
    const std::size_t entry = std::size_t(table) + std::size_t(index) * 8;
    if (!word(bytes, entry, swapped, wordLength) || !word(bytes, entry + 4, swapped, wordOffset))
        return false;
    offset = wordOffset;
    length = wordLength;
    return offset <= bytes.size() && bytes.size() - offset > length && bytes[offset + length] == 0;
}

// The next printf conversion from `at` ("%%" included), where it lies; empty at the end.
struct Conversion {
    const char* start = nullptr;
    std::size_t length = 0;
};
Conversion nextConversion(const char*& at) {
    at = std::strchr(at, '%');
    if (!at)
        return {};
    const char* start = at++;
    while (*at && std::strchr("-+ #0123456789.*lhLqjzt'", *at))
        ++at;
    if (*at)
        ++at;
    return {start, static_cast<std::size_t>(at - start)};
}

fs::path cataloguePath(const std::string& code) {
    return fs::path(localeFolder()) / code / "LC_MESSAGES" / catalogueName;
}

bool loadCatalogue(const std::string& code, Catalogue& catalogue) {
    // Read as the save is: a pipe, a device or a folder in its place is never opened to wait on.
    const std::string path = cataloguePath(code).string();
    std::string bytes;
    if (readOwnFile(path.c_str(), maxCatalogueBytes, bytes) == OwnFileRead::Read &&
        readCatalogue(bytes, catalogue))
        return true;
    reportUnreadable(path);
    return false;
}

// A language code as the catalogues' folders are named: letters, and a region after '_'.
bool plainCode(const std::string& code) {
    return !code.empty() && code.size() <= 16 && std::all_of(code.begin(), code.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    });
}

} // namespace

bool sameConversions(const char* a, const char* b) {
    for (;;) {
        const Conversion left = nextConversion(a), right = nextConversion(b);
        if (left.length != right.length ||
            (left.length != 0 && std::memcmp(left.start, right.start, left.length) != 0))
            return false;
        if (left.length == 0)
            return true;
    }
}

bool readCatalogue(const std::string& bytes, Catalogue& catalogue) {
    std::uint32_t magic = 0, revision = 0, count = 0, originals = 0, translations = 0;
    if (!word(bytes, 0, false, magic))
        return false;
    const bool swapped = magic == 0xde120495u;
    if (!swapped && magic != 0x950412deu)
        return false;
    if (!word(bytes, 4, swapped, revision) || (revision >> 16) > 1 ||
        !word(bytes, 8, swapped, count) || !word(bytes, 12, swapped, originals) ||
        !word(bytes, 16, swapped, translations) || count > bytes.size() / 8)
        return false;
    // Every string is found in place first, and all of them together must fit in the file once:
    // tables whose entries point at one long string again and again would be read over and over.
    std::size_t total = 0;
    for (std::uint32_t i = 0; i < count; ++i)
        for (const std::uint32_t table : {originals, translations}) {
            std::size_t offset = 0, length = 0;
            if (!tableString(bytes, table, i, swapped, offset, length))
                return false;
            total += length + 1;
            if (total > bytes.size())
                return false;
        }
    // Then each text is judged where it lies, and only those kept are copied.
    Catalogue read;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::size_t frenchAt = 0, frenchLength = 0, textAt = 0, textLength = 0;
        tableString(bytes, originals, i, swapped, frenchAt, frenchLength);
        tableString(bytes, translations, i, swapped, textAt, textLength);
        const char* french = bytes.data() + frenchAt;
        const char* text = bytes.data() + textAt;
        // The header (empty French), plural and context entries are not texts of the game.
        if (frenchLength == 0 || textLength == 0 || std::strlen(french) != frenchLength ||
            std::memchr(french, '\4', frenchLength) || std::strlen(text) != textLength ||
            !sameConversions(french, text))
            continue;
        read.texts.emplace(std::string(french, frenchLength), std::string(text, textLength));
    }
    catalogue = std::move(read);
    return true;
}

std::vector<std::string> languagesFound() {
    std::vector<std::string> codes;
    std::error_code error;
    for (fs::directory_iterator it(localeFolder(), error), end; !error && it != end;
         it.increment(error)) {
        const std::string code = it->path().filename().string();
        if (code != "fr" && plainCode(code) && readableFile(cataloguePath(code).string()))
            codes.push_back(code);
    }
    std::sort(codes.begin(), codes.end());
    codes.insert(codes.begin(), "fr");
    return codes;
}

LocaleVariables localeVariables() {
    auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    return {variable("LANGUAGE"), variable("LC_ALL"), variable("LC_MESSAGES"), variable("LANG")};
}

std::string desktopLanguage(const LocaleVariables& locale, const std::vector<std::string>& spoken) {
    // A locale name is language[_territory][.codeset][@modifier]; catalogues are named after
    // the first two.
    auto named = [](const std::string& name) { return name.substr(0, name.find_first_of(".@")); };
    auto speaks = [&](const std::string& code) {
        return std::find(spoken.begin(), spoken.end(), code) != spoken.end();
    };
    // The language the game speaks for a name, "" when none.
    auto match = [&](const std::string& name) -> std::string {
        const std::string full = named(name), language = full.substr(0, full.find('_'));
        if (language == "fr")
            return "fr";
        if (speaks(full))
            return full;
        return speaks(language) ? language : "";
    };
    const std::string& chosen = !locale.lcAll.empty()        ? locale.lcAll
                                : !locale.lcMessages.empty() ? locale.lcMessages
                                                             : locale.lang;
    const std::string name = named(chosen);
    // The C locale speaks the game's own texts, and gettext reads no LANGUAGE under it.
    if (name.empty() || name == "C" || name == "POSIX")
        return "fr";
    for (std::size_t start = 0; start <= locale.language.size();) {
        std::size_t end = locale.language.find(':', start);
        if (end == std::string::npos)
            end = locale.language.size();
        const std::string found = match(locale.language.substr(start, end - start));
        if (!found.empty())
            return found;
        start = end + 1;
    }
    const std::string found = match(chosen);
    return found.empty() ? "en" : found;
}

std::string startLanguage(const std::string& chosen, const LocaleVariables& locale) {
    return chosen.empty() ? desktopLanguage(locale, languagesFound()) : chosen;
}

const std::string& currentLanguage() {
    return speaking().language;
}

bool chooseLanguage(const std::string& code) {
    Speaking& state = speaking();
    Catalogue catalogue;
    const bool found = code == "fr" || (plainCode(code) && loadCatalogue(code, catalogue));
    const std::string language = found ? code : "fr";
    if (language != state.language)
        ++state.switches;
    state.language = language;
    state.catalogue = std::move(catalogue);
    return found;
}

unsigned languageSwitches() {
    return speaking().switches;
}

const char* tr(const char* french) {
    const Catalogue& catalogue = speaking().catalogue;
    if (catalogue.texts.empty() || !french)
        return french;
    const auto found = catalogue.texts.find(french);
    return found == catalogue.texts.end() ? french : found->second.c_str();
}

const char* tr(const std::string& french) {
    const Catalogue& catalogue = speaking().catalogue;
    const auto found = catalogue.texts.find(french);
    return found == catalogue.texts.end() ? french.c_str() : found->second.c_str();
}

std::string twinPath(const std::string& path, const std::string& language) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return language + "/" + path;
    return path.substr(0, slash + 1) + language + path.substr(slash);
}

#include "support/catalogues.h"

#include <cstdint>

namespace {

void put(std::string& bytes, std::uint32_t value, bool bigEndian) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>(bigEndian ? value >> (24 - 8 * i) : value >> (8 * i)));
}

// The header and both tables of `count` entries, each entry's (length, offset) given.
template <class Entry> std::string tables(std::uint32_t count, Entry entry) {
    std::string bytes;
    for (std::uint32_t value : {0x950412deu, 0u, count, 28u, 28 + 8 * count, 0u, 0u})
        put(bytes, value, false);
    for (int side = 0; side < 2; ++side)
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::pair<std::uint32_t, std::uint32_t> at = entry(side, i);
            put(bytes, at.first, false);
            put(bytes, at.second, false);
        }
    return bytes;
}

std::string conversions(std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text.push_back(i % 2 ? 'd' : '%');
    return text;
}

} // namespace

std::string catalogueOf(const Texts& texts, bool bigEndian) {
    std::string bytes;
    const auto count = static_cast<std::uint32_t>(texts.size());
    const std::uint32_t stringsAt = 28 + 16 * count;
    for (std::uint32_t value : {0x950412deu, 0u, count, 28u, 28 + 8 * count, 0u, stringsAt})
        put(bytes, value, bigEndian);
    std::string strings;
    for (int side = 0; side < 2; ++side)
        for (const auto& text : texts) {
            const std::string& s = side == 0 ? text.first : text.second;
            put(bytes, static_cast<std::uint32_t>(s.size()), bigEndian);
            put(bytes, stringsAt + static_cast<std::uint32_t>(strings.size()), bigEndian);
            strings += s;
            strings.push_back('\0');
        }
    return bytes + strings;
}

std::string shapedCatalogue(CatalogueShape shape, std::size_t size) {
    if (shape == CatalogueShape::ManyTexts) {
        // Each entry takes its two tables' 16 bytes and two strings of 63 characters.
        Texts texts;
        for (std::size_t i = 0; 28 + (texts.size() + 1) * (16 + 128) <= size; ++i) {
            const std::string number = std::to_string(i);
            const std::string text = number + conversions(63 - number.size());
            texts.emplace_back(text, text);
        }
        return catalogueOf(texts);
    }
    // Half the file the tables, half the one string.
    const auto count = static_cast<std::uint32_t>(size / 32);
    const std::uint32_t stringAt = 28 + 16 * count;
    const auto length = static_cast<std::uint32_t>(size - stringAt - 1);
    std::string bytes = tables(count, [&](int, std::uint32_t i) {
        const std::uint32_t skip = shape == CatalogueShape::Suffixes ? i % length : 0;
        return std::make_pair(length - skip, stringAt + skip);
    });
    return bytes + conversions(length) + '\0';
}

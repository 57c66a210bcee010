#include "support/catalogues.h"

#include <cstdint>

namespace {

void put(std::string& bytes, std::uint32_t value, bool bigEndian) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>(bigEndian ? value >> (24 - 8 * i) : value >> (8 * i)));
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
    if (shape == CatalogueShape::ManyTexts) { // 16 bytes of tables and 128 of texts each
        Texts texts;
        for (std::size_t i = 0; 28 + (i + 1) * 144 <= size; ++i) {
            const std::string text = std::to_string(i) + conversions(63 - std::to_string(i).size());
            texts.emplace_back(text, text);
        }
        return catalogueOf(texts);
    }
    // Half the file the tables, half the one string.
    std::string bytes;
    const auto count = static_cast<std::uint32_t>(size / 32), at = 28 + 16 * count;
    const auto length = static_cast<std::uint32_t>(size - at - 1);
    for (std::uint32_t value : {0x950412deu, 0u, count, 28u, 28 + 8 * count, 0u, 0u})
        put(bytes, value, false);
    for (std::uint32_t i = 0; i < 2 * count; ++i) {
        const std::uint32_t skip = shape == CatalogueShape::Suffixes ? i % count : 0;
        put(bytes, length - skip, false);
        put(bytes, at + skip, false);
    }
    return bytes + conversions(length) + '\0';
}

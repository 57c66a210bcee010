// Compiled catalogues made by hand, the game's kind and those a crafted file may be shaped as.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

using Texts = std::vector<std::pair<std::string, std::string>>;

// A compiled catalogue of these texts, in either byte order.
std::string catalogueOf(const Texts& texts, bool bigEndian = false);

enum class CatalogueShape {
    OneString, // every entry of both tables points at one long string of conversions
    Suffixes,  // each entry one byte further into that string: all inside, all overlapping
    ManyTexts, // distinct texts full of conversions, as many as the size holds
};
// A catalogue of about `size` bytes of that shape.
std::string shapedCatalogue(CatalogueShape shape, std::size_t size);

// PNG pictures of a surface: 8-bit RGBA, written with zlib and read with libpng.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace vl::win {

// Writes the surface to `path` (UTF-8 file name). False, with nothing left half-written that
// claims to be a picture, when the file cannot be written or the surface is empty.
bool WritePng(const Surface& surface, const std::string& path);
// The PNG file's bytes; empty for an empty surface.
std::vector<std::uint8_t> EncodePng(const Surface& surface);
// Reads an 8-bit RGBA picture back (any PNG is converted to that form); nothing on a bad file.
std::optional<Surface> ReadPng(const std::string& path);

}  // namespace vl::win

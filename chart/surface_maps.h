// chart/surface_maps.h - the decoded surface maps of the rendered bodies, kept between drawings
// so that a redraw never decodes a JPEG: at most SurfaceMapBudgetBytes of pixels, the map used
// longest ago dropped first. A map is read again when its file changes (another size, time or
// file). Safe to call from several threads at once; a map in use stays valid while it is held.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "platform/image_files.h"

namespace qv {

constexpr size_t SurfaceMapBudgetBytes = size_t{256} << 20;

// DecodedSurfaceMap: the map at `path`, decoded at its first use and kept; null when the file is
// missing or is not a readable JPEG (a grey globe), which is remembered as well.
std::shared_ptr<const RgbPixels> DecodedSurfaceMap(std::string_view path);

// SurfaceMapBytesHeld: the bytes of pixels kept now.
size_t SurfaceMapBytesHeld();

// ReleaseSurfaceMaps: drops every kept map (maps still held by a drawing live until it ends).
void ReleaseSurfaceMaps();

}  // namespace qv

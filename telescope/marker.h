// telescope/marker.h - the telescope marker: the finder and eyepiece circles and the camera
// rectangle at the telescope's position, drawn inverting so that drawing them again erases them.
#pragma once

#include <array>

#include "astro/vector.h"
#include "chart/projection.h"
#include "telescope/equator_of_date.h"

namespace qv {

// MarkerFields: which outlines to draw and their sizes (radians; the circles' diameters).
struct MarkerFields {
  bool finder = true, eyepiece = true, camera = true;
  double finderWidth = 0, eyepieceWidth = 0, cameraWidth = 0, cameraHeight = 0;
};

// CameraFieldCorners: unit vectors (J2000) of the corners of a width x height rectangle centred
// on the position, its width along R.A. and its height along Dec., in order around it.
std::array<Vector3, 4> CameraFieldCorners(const EquatorialPosition& at, double width,
                                          double height);

// DrawTelescopeMarker: into the current drawing target in the frame's projection. Nothing is
// drawn when the position, with half the finder width as radius, is not on the chart.
void DrawTelescopeMarker(const ChartFrame& frame, const EquatorialPosition& at,
                         const MarkerFields& fields);

}  // namespace qv

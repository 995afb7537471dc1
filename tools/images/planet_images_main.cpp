// tools/images/planet_images_main.cpp - qv_planet_images: the chart's planet images from a
// folder of cylindrical maps.
//   qv_planet_images MAPS_DIR IMAGES_DIR
#include <cstdio>
#include <string>

#include "tools/images/planet_images.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: qv_planet_images MAPS_DIR IMAGES_DIR\n");
    return 2;
  }
  qv::PlanetImagesReport report;
  std::string error;
  if (!qv::MakePlanetImages(argv[1], argv[2], report, error)) {
    std::fprintf(stderr, "qv_planet_images: %s\n", error.c_str());
    return 1;
  }
  std::printf("qv_planet_images: %zu images written", report.written.size());
  if (!report.missing.empty()) {
    std::printf("; no map for");
    for (const std::string& name : report.missing) std::printf(" %s", name.c_str());
  }
  std::printf("\n");
  return 0;
}

// tools/images/planet_images.cpp - planet surface images and the ring profile, with QImage.
#include "tools/images/planet_images.h"

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <filesystem>

namespace qv {

namespace {

constexpr int MaxMapWidth = 2048;
constexpr int JpegQuality = 90;
constexpr int RingProfileHeight = 8;    // one JPEG block: rows stay identical
constexpr double ClearBrightness = 64;  // map brightness of the clearest gaps

// The package's texture files and the chart's image names of the bodies that have one.
struct BodyMap {
  const char* source;
  const char* image;
};
constexpr BodyMap BodyMaps[] = {
    {"mercury.jpg", "Mercury.jpg"},
    {"venus.jpg", "Venus.jpg"},
    {"earth.jpg", "Earth.jpg"},
    {"mars.jpg", "Mars.jpg"},
    {"jupiter.jpg", "Jupiter.jpg"},
    {"saturn.jpg", "Saturn.jpg"},
    {"uranus.jpg", "Uranus.jpg"},
    {"neptune.jpg", "Neptune.jpg"},
    {"pluto.jpg", "Pluto.jpg"},
    {"moon.jpg", "Moon.jpg"},
    {"phobos.jpg", "Phobos.jpg"},
    {"deimos.jpg", "Deimos.jpg"},
    {"io.jpg", "Io.jpg"},
    {"europa.jpg", "Europa.jpg"},
    {"ganymede.jpg", "Ganymede.jpg"},
    {"callisto.jpg", "Callisto.jpg"},
    {"tethys.jpg", "Tethys.jpg"},
    {"dione.jpg", "Dione.jpg"},
    {"rhea.jpg", "Rhea.jpg"},
    {"titan.jpg", "Titan.jpg"},
    {"triton.jpg", "Triton.jpg"},
    {"charon.jpg", "Charon.jpg"},
};
constexpr const char* RingSource = "rings.jpg";
constexpr const char* RingImage = "Saturn-Rings.jpg";

bool Load(const std::string& path, QImage& image, std::string& error) {
  image = QImage(QString::fromStdString(path));
  if (image.isNull()) {
    error = "cannot read the image " + path;
    return false;
  }
  image = image.convertToFormat(QImage::Format_RGB32);
  return true;
}

bool Save(const QImage& image, const std::string& path, std::string& error) {
  if (!image.save(QString::fromStdString(path), "JPG", JpegQuality)) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

// Brightness of the ring map at a fractional column, averaged over its rows.
double MapBrightness(const QImage& map, double column) {
  const int left = std::clamp(static_cast<int>(std::floor(column)), 0, map.width() - 1);
  const int right = std::min(left + 1, map.width() - 1);
  const double f = std::clamp(column - left, 0.0, 1.0);
  double sum = 0;
  for (int y = 0; y < map.height(); ++y) {
    sum += (1 - f) * qGray(map.pixel(left, y)) + f * qGray(map.pixel(right, y));
  }
  return sum / map.height();
}

}  // namespace

bool ReadPlainImage(const std::string& path, PlainImage& image) {
  QImage q(QString::fromStdString(path));
  if (q.isNull()) return false;
  q = q.convertToFormat(QImage::Format_RGB32);
  image.width = q.width();
  image.height = q.height();
  image.pixels.resize(static_cast<size_t>(q.width()) * q.height());
  for (int y = 0; y < q.height(); ++y) {
    for (int x = 0; x < q.width(); ++x) {
      image.pixels[static_cast<size_t>(y) * q.width() + x] = q.pixel(x, y) & 0xFFFFFFu;
    }
  }
  return true;
}

bool ConvertSurfaceMap(const std::string& source, const std::string& target, std::string& error) {
  QImage map;
  if (!Load(source, map, error)) return false;
  const int width = std::min(MaxMapWidth, std::max(map.width(), 2 * map.height()));
  const QImage scaled =
      map.scaled(width, width / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return Save(scaled, target, error);
}

bool WriteRingProfile(const std::string& source, const std::string& target, std::string& error) {
  QImage map;
  if (!Load(source, map, error)) return false;
  QImage profile(RingProfileWidth, RingProfileHeight, QImage::Format_RGB32);
  for (int x = 0; x < RingProfileWidth; ++x) {
    const double radius =
        ChartRingInner + (x + 0.5) / RingProfileWidth * (ChartRingOuter - ChartRingInner);
    double opacity = 0;
    if (radius >= MapRingInner && radius <= MapRingOuter) {
      const double column =
          (radius - MapRingInner) / (MapRingOuter - MapRingInner) * map.width() - 0.5;
      opacity = std::clamp((MapBrightness(map, column) - ClearBrightness) / (255 - ClearBrightness),
                           0.0, 1.0);
    }
    const int level = static_cast<int>(std::lround(opacity * 255));
    for (int y = 0; y < RingProfileHeight; ++y) profile.setPixel(x, y, qRgb(level, level, level));
  }
  return Save(profile, target, error);
}

bool MakePlanetImages(const std::string& sourceDir, const std::string& imagesDir,
                      PlanetImagesReport& report, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(imagesDir, ec);
  if (ec) {
    error = "cannot create " + imagesDir;
    return false;
  }
  for (const BodyMap& body : BodyMaps) {
    const std::string source = sourceDir + "/" + body.source;
    if (!std::filesystem::exists(source)) {
      report.missing.push_back(body.source);
      continue;
    }
    if (!ConvertSurfaceMap(source, imagesDir + "/" + body.image, error)) return false;
    report.written.push_back(body.image);
  }
  const std::string rings = sourceDir + "/" + RingSource;
  if (!std::filesystem::exists(rings)) {
    report.missing.push_back(RingSource);
    return true;
  }
  if (!WriteRingProfile(rings, imagesDir + "/" + RingImage, error)) return false;
  report.written.push_back(RingImage);
  return true;
}

}  // namespace qv

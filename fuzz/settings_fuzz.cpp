// fuzz/settings_fuzz.cpp - the settings file reader over arbitrary bytes. The first byte answers
// the description prompt (odd: keep reading); the rest is the file, read with a store that holds
// "Mars" and "Moon". Whatever the bytes, reading must keep the record's texts and the trail list
// within their limits, what was read must write again, and a small chart drawn with it must end
// (a hang shows as a timeout).
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "chart/drawing.h"
#include "chart/trails.h"
#include "objects/records.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/draw.h"
#include "platform/events.h"
#include "platform/files.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace {

// A store holding "Mars" and "Moon" in memory, so that trails and objects can be found.
void MakeStore() {
  if (qv::FileCount() != 0) return;
  std::unique_ptr<qv::DatabaseFile> file = qv::NewDatabaseFile("fuzz.qvd");
  const qv::ObjectId fileId = qv::RegisterFile(file);
  for (qv::ObjectKind kind : {qv::KindMars, qv::KindMoon}) {
    std::unique_ptr<qv::ObjectRecord> record = qv::NewRecord(kind);
    qv::SetObjectName(*record, kind == qv::KindMars ? "Mars" : "Moon");
    qv::AddObject(record, fileId);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  qv::SetAlertPresenter([](int, int, int, const std::string&) { return qv::AnswerOk; });
  qv::InitHeadlessPlatform();
  qv::SetDefaultSettings(32);
  MakeStore();
  const bool keep = data[0] & 1;
  qv::FileHandle file = qv::OpenMemoryFile(std::span<const uint8_t>(data + 1, size - 1));
  if (!file) std::abort();
  qv::ReadSettingsFile(*file, "fuzz.qvs", [keep](std::string&) { return keep; });
  const qv::ChartSettings& s = qv::Settings();
  if (s.ViewerSiteName.size() > qv::SiteNameMaxLength ||
      s.ChartWindowsFont.Face.size() > qv::FontFaceMaxLength ||
      s.Description.size() > qv::DescriptionMaxLength || qv::TrailCount() > 255) {
    std::abort();
  }
  qv::FormatSettingsFile(s.Description);  // every value read can be written again
  qv::UpdateSkyContext();
  qv::DisposeImage(qv::RenderChartImage(qv::Rect{0, 0, 80, 60}, 32, nullptr,
                                        qv::DrawingOptions(qv::Settings(), 32)));
  qv::DeleteAllTrails();
  return 0;
}

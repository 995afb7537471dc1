// tools/database/build_database_main.cpp - qv_build_database: the default database beside the
// program, imported by the program's own importer.
//   qv_build_database PROGRAM_DIR FILE_LIST TEXT_FILE...
// The object text files (the solar system, the sites) are imported first, in the order given,
// then the catalog files of the converter's file list.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/result.h"
#include "tools/database/default_database.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: qv_build_database PROGRAM_DIR FILE_LIST TEXT_FILE...\n");
    return 2;
  }
  const std::vector<std::string> textFiles(argv + 3, argv + argc);
  qv::DatabaseBuildReport report;
  std::string error;
  const int result = qv::BuildDefaultDatabase(argv[1], textFiles, argv[2], report, error);
  for (const std::string& message : report.messages) {
    std::fprintf(stderr, "qv_build_database: %s\n", message.c_str());
  }
  if (result != qv::ResultOk) {
    std::fprintf(stderr, "qv_build_database: %s\n", error.c_str());
    return 1;
  }
  const qv::DatabaseCounts& c = report.counts;
  std::printf(
      "qv_build_database: %d files: %d solar-system bodies, %d stars, %d deep-sky "
      "objects, %d constellation lines, %d sites; %.1f MB on disk\n",
      c.files, c.solarSystem, c.stars, c.deepSky, c.lines, c.locations, c.bytesOnDisk / 1e6);
  return 0;
}

// tools/database/default_database.h - building the default database "Database/Index.qvd" beside
// the program with the program's own importer: our own object text files first (the solar
// system, the sites), then the catalog files in the order of the converter's file list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

struct DatabaseCounts {
  int files = 0;  // database files, Custom.qvd included
  int solarSystem = 0;
  int stars = 0;
  int deepSky = 0;
  int lines = 0;
  int locations = 0;
  int64_t bytesOnDisk = 0;  // the index and every database file
};

struct DatabaseBuildReport {
  DatabaseCounts counts;
  std::vector<std::string> messages;  // the importer's messages, "number: text"
};

// BuildDefaultDatabase: makes programDir/Database anew (the old one is replaced only when the
// new one is complete, and kept as programDir/Database.previous). The importer's questions are
// answered so that it keeps going: each message is kept in the report. ResultOk, or the failure
// with a one-line reason in error.
int BuildDefaultDatabase(const std::string& programDir, const std::vector<std::string>& textFiles,
                         const std::string& fileList, DatabaseBuildReport& report,
                         std::string& error);

// CountDatabase: the counts of the open database, from its files' summaries, and its size on
// disk.
DatabaseCounts CountDatabase();

}  // namespace qv

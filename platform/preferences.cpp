// platform/preferences.cpp - the preferences file (preferences.h) through QSettings.
#include "platform/preferences.h"

#include <QSettings>
#include <QStandardPaths>

namespace qv {
namespace {

// The path is found at each use, so that a changed XDG_CONFIG_HOME (tests) takes effect.
QString PreferencesPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         "/quorvane/preferences.ini";
}

}  // namespace

bool GetPreference(const char* name, bool fallback) {
  const QSettings file(PreferencesPath(), QSettings::IniFormat);
  return file.value(name, fallback).toBool();
}

bool SetPreference(const char* name, bool value) {
  QSettings file(PreferencesPath(), QSettings::IniFormat);
  file.setValue(name, value);
  file.sync();
  return file.status() == QSettings::NoError;
}

}  // namespace qv

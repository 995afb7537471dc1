// tools/catalog/deep_sky.cpp - kinds, designations and names of the package's deep-sky objects.
#include "tools/catalog/deep_sky.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <string_view>

#include "tools/catalog/star_names.h"

namespace qv {

namespace {

struct TypeKind {
  std::string_view type;
  int kind;
};
// The package's object types (data/readme.md) and the program's deep-sky kinds.
constexpr TypeKind TypeKinds[] = {
    {"oc", KindOpenCluster},   {"gc", KindGlobularCluster}, {"pn", KindPlanetaryNebula},
    {"bn", KindDiffuseNebula}, {"dn", KindDiffuseNebula},   {"en", KindDiffuseNebula},
    {"rn", KindDiffuseNebula}, {"sfr", KindDiffuseNebula},  {"snr", KindDiffuseNebula},
    {"g", KindGalaxy},         {"s", KindGalaxy},           {"s0", KindGalaxy},
    {"sd", KindGalaxy},        {"i", KindGalaxy},           {"e", KindGalaxy},
    {"gg", KindGalaxy},        {"pos", KindOpenCluster},  // Messier list: star clouds and asterisms
                                                          // (M24, M40, M73)
};

// Catalogs whose numbers the program renders itself, with their number ranges.
struct RenderedCatalog {
  std::string_view prefix;
  long maxNumber;
  bool letter;  // NGC and IC numbers may carry a letter A-I
};
constexpr RenderedCatalog RenderedCatalogs[] = {
    {"UGCA", 99998, false}, {"UGC", 99999, false}, {"PGC", 99999, false},
    {"NGC", 9999, true},    {"IC", 9999, true},    {"M", 110, false},
};

bool IsTrumplerClass(const std::string& morph) {
  static const std::regex trumpler("^(I|II|III|IV)[123][prm]n?$");
  return std::regex_match(morph, trumpler);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

// "224", " 1234a": the number and optional letter after a catalog prefix, in the program's form.
std::string RenderedNumber(std::string_view rest, const RenderedCatalog& catalog) {
  while (!rest.empty() && rest[0] == ' ') rest.remove_prefix(1);
  size_t digits = 0;
  while (digits < rest.size() && std::isdigit(static_cast<unsigned char>(rest[digits]))) ++digits;
  if (digits == 0 || digits > 6) return {};
  const long number = std::strtol(std::string(rest.substr(0, digits)).c_str(), nullptr, 10);
  if (number < 1 || number > catalog.maxNumber) return {};
  std::string out = std::string(catalog.prefix) + std::to_string(number);
  const std::string_view tail = rest.substr(digits);
  if (tail.empty()) return out;
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(tail[0])));
  if (!catalog.letter || tail.size() != 1 || letter < 'A' || letter > 'I') return {};
  return out + letter;
}

// The entries of the dark-nebula catalogs of Lynds (LDN) and Barnard (B) are dark nebulae, even
// the few the package types otherwise.
bool InDarkNebulaCatalog(const std::string& id) {
  static const std::regex darkCatalog(R"(^(LDN|B) \d+)");
  return std::regex_search(id, darkCatalog);
}

// The package's number for a dark nebula is an opacity class, and a magnitude of exactly 0
// marks one never measured (no deep-sky object is that bright): both are unknown magnitudes.
std::optional<double> UsableMagnitude(const PackageDeepSky& o, const std::string& type) {
  if (type == "dn" || !o.magnitude || *o.magnitude == 0) return std::nullopt;
  return o.magnitude;
}

// Building state of one object: the entry and its designations, common name added last.
struct DeepSkyDraft {
  SkyEntry entry;
  std::vector<std::string> designations;
  std::string commonName;
  int messier = 0;
};

void AddDesignation(DeepSkyDraft& draft, const std::string& text) {
  const std::string designation = DeepSkyDesignation(text);
  if (designation.empty()) return;
  if (std::find(draft.designations.begin(), draft.designations.end(), designation) !=
      draft.designations.end()) {
    return;
  }
  draft.designations.push_back(designation);
  if (draft.messier == 0) draft.messier = MessierNumber(designation);
}

// Sort key of a designation: Messier first, then NGC and IC, then the rest as given.
int DesignationRank(const std::string& designation) {
  if (MessierNumber(designation) > 0) return 0;
  if (designation.compare(0, 3, "NGC") == 0) return 1;
  if (designation.compare(0, 2, "IC") == 0) return 2;
  return 3;
}

std::vector<DeepSkyDraft> DraftsFromPackage(const std::vector<PackageDeepSky>& objects,
                                            DeepSkyCounts& counts) {
  std::vector<DeepSkyDraft> drafts;
  for (const PackageDeepSky& o : objects) {
    const std::string type = InDarkNebulaCatalog(o.id) ? "dn" : o.type;
    DeepSkyDraft draft;
    draft.entry.kind = DeepSkyKind(type, o.morph);
    if (draft.entry.kind == 0) {
      ++counts.unknownType;
      continue;
    }
    draft.entry.position = o.position;
    draft.entry.magnitude = UsableMagnitude(o, type);
    draft.entry.colorIndex = o.colorIndex;
    draft.entry.sizeArcmin = o.sizeArcmin;
    AddDesignation(draft, o.id);
    AddDesignation(draft, o.desig);
    drafts.push_back(std::move(draft));
  }
  return drafts;
}

// The Messier list names the NGC or IC object of each number ("NGC 5194/5": the first one).
void AddMessierCrossIds(std::vector<DeepSkyDraft>& drafts,
                        const std::vector<PackageMessier>& messier) {
  for (const PackageMessier& m : messier) {
    const std::string designation = DeepSkyDesignation(m.desig.substr(0, m.desig.find('/')));
    if (designation.empty()) continue;
    const bool taken = std::any_of(drafts.begin(), drafts.end(),
                                   [&](const DeepSkyDraft& d) { return d.messier == m.number; });
    if (taken) continue;
    for (DeepSkyDraft& d : drafts) {
      if (d.messier == 0 && std::find(d.designations.begin(), d.designations.end(), designation) !=
                                d.designations.end()) {
        AddDesignation(d, "M" + std::to_string(m.number));
        break;
      }
    }
  }
}

// Two entries with one Messier number are one object: keep the one with a magnitude and give it
// the other's designations.
void MergeMessierDuplicates(std::vector<DeepSkyDraft>& drafts, DeepSkyCounts& counts) {
  for (size_t i = 0; i < drafts.size(); ++i) {
    if (drafts[i].messier == 0) continue;
    for (size_t j = i + 1; j < drafts.size(); ++j) {
      if (drafts[j].messier != drafts[i].messier) continue;
      if (!drafts[i].entry.magnitude && drafts[j].entry.magnitude) {
        std::swap(drafts[i], drafts[j]);
      }
      for (const std::string& d : drafts[j].designations) AddDesignation(drafts[i], d);
      drafts.erase(drafts.begin() + static_cast<std::ptrdiff_t>(j));
      --j;
      ++counts.merged;
    }
  }
}

void AddMissingMessier(std::vector<DeepSkyDraft>& drafts,
                       const std::vector<PackageMessier>& messier, DeepSkyCounts& counts) {
  for (const PackageMessier& m : messier) {
    const bool present = std::any_of(drafts.begin(), drafts.end(),
                                     [&](const DeepSkyDraft& d) { return d.messier == m.number; });
    const int kind = DeepSkyKind(m.type, "");
    if (present || kind == 0) continue;
    DeepSkyDraft draft;
    draft.entry.kind = kind;
    draft.entry.position = m.position;
    draft.entry.magnitude = m.magnitude;
    draft.entry.sizeArcmin = m.sizeArcmin;
    draft.commonName = CleanName(m.commonName);
    AddDesignation(draft, "M" + std::to_string(m.number));
    AddDesignation(draft, m.desig);
    drafts.push_back(std::move(draft));
    ++counts.messierAdded;
  }
}

// The Messier list's magnitude and size are the object's as a whole: the catalog entry a Messier
// number lands on may carry the photometry of a small part of it (NGC 4486, M87, has +12.50 and
// 0.7' there against the list's 8.6 and 8'), or a blue magnitude. Where the two magnitudes
// disagree by more than MessierMagnitudeTolerance the entry's colour index belongs with its
// magnitude and goes too.
void TakeMessierFigures(std::vector<DeepSkyDraft>& drafts,
                        const std::vector<PackageMessier>& messier, DeepSkyCounts& counts) {
  for (DeepSkyDraft& d : drafts) {
    if (d.messier == 0) continue;
    const auto m = std::find_if(messier.begin(), messier.end(),
                                [&](const PackageMessier& p) { return p.number == d.messier; });
    if (m == messier.end()) continue;
    SkyEntry& e = d.entry;
    const bool magnitudeOff =
        m->magnitude &&
        (!e.magnitude || std::fabs(*e.magnitude - *m->magnitude) > MessierMagnitudeTolerance);
    const bool sizeOff = m->sizeArcmin > 0 &&
                         (e.sizeArcmin <= 0 || e.sizeArcmin > MessierSizeFactor * m->sizeArcmin ||
                          m->sizeArcmin > MessierSizeFactor * e.sizeArcmin);
    if (magnitudeOff) e.colorIndex.reset();
    if (m->magnitude) e.magnitude = m->magnitude;
    if (m->sizeArcmin > 0) e.sizeArcmin = m->sizeArcmin;
    if (magnitudeOff || sizeOff) counts.messierCorrected.push_back(d.messier);
  }
}

std::map<std::string, std::string> NamesByDesignation(
    const std::map<std::string, std::string>& commonNames) {
  std::map<std::string, std::string> byDesignation;
  for (const auto& [key, name] : commonNames) {
    const std::string designation = DeepSkyDesignation(key);
    const std::string clean = CleanName(name);
    if (!designation.empty() && !clean.empty()) byDesignation.emplace(designation, clean);
  }
  return byDesignation;
}

SkyEntry FinishEntry(DeepSkyDraft& draft, const std::map<std::string, std::string>& names) {
  std::stable_sort(draft.designations.begin(), draft.designations.end(),
                   [](const std::string& a, const std::string& b) {
                     return DesignationRank(a) < DesignationRank(b);
                   });
  for (const std::string& d : draft.designations) {
    const auto it = names.find(d);
    if (it != names.end()) {
      draft.commonName = it->second;
      break;
    }
  }
  SkyEntry entry = std::move(draft.entry);
  if (!draft.commonName.empty()) entry.names.push_back(draft.commonName);
  entry.names.insert(entry.names.end(), draft.designations.begin(), draft.designations.end());
  return entry;
}

// "PK 353-04.1" -> "PK353-04 1": galactic longitude, sign and latitude, sequence number.
std::string PkDesignation(const std::string& text) {
  static const std::regex pk(R"(^PK\s*(\d{1,3})([+-])(\d{1,2})[. ](\d)$)");
  std::smatch m;
  if (!std::regex_match(text, m, pk)) return {};
  const int longitude = std::stoi(m[1]), latitude = std::stoi(m[3]), sequence = std::stoi(m[4]);
  if (longitude > 359 || latitude > 89 || sequence < 1) return {};
  return "PK" + std::to_string(longitude) + m[2].str() + (latitude < 10 ? "0" : "") +
         std::to_string(latitude) + " " + std::to_string(sequence);
}

}  // namespace

int DeepSkyKind(const std::string& type, const std::string& morph) {
  for (const TypeKind& t : TypeKinds) {
    if (t.type != type) continue;
    if (t.kind == KindDiffuseNebula && type != "dn" && IsTrumplerClass(morph)) {
      return KindOpenCluster;
    }
    return t.kind;
  }
  return 0;
}

std::string DeepSkyDesignation(const std::string& id) {
  const std::string text = CleanName(id);
  if (const std::string pk = PkDesignation(text); !pk.empty()) return pk;
  if (text.compare(0, 4, "PN G") == 0) {
    std::string out = "PNG";
    for (char c : text.substr(4)) {
      if (c != ' ') out += c;
    }
    return out;
  }
  for (const RenderedCatalog& catalog : RenderedCatalogs) {
    if (!StartsWithNoCase(text, catalog.prefix)) continue;
    const std::string rendered =
        RenderedNumber(std::string_view(text).substr(catalog.prefix.size()), catalog);
    if (!rendered.empty()) return rendered;
  }
  return text;
}

int MessierNumber(const std::string& designation) {
  if (designation.size() < 2 || designation[0] != 'M') return 0;
  for (size_t i = 1; i < designation.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(designation[i]))) return 0;
  }
  const long n = std::strtol(designation.c_str() + 1, nullptr, 10);
  return n >= 1 && n <= 110 ? static_cast<int>(n) : 0;
}

std::vector<SkyEntry> BuildDeepSky(const std::vector<PackageDeepSky>& objects,
                                   const std::map<std::string, std::string>& commonNames,
                                   const std::vector<PackageMessier>& messier,
                                   DeepSkyCounts& counts) {
  std::vector<DeepSkyDraft> drafts = DraftsFromPackage(objects, counts);
  AddMessierCrossIds(drafts, messier);
  MergeMessierDuplicates(drafts, counts);
  AddMissingMessier(drafts, messier, counts);
  TakeMessierFigures(drafts, messier, counts);
  const std::map<std::string, std::string> names = NamesByDesignation(commonNames);
  std::vector<SkyEntry> entries;
  entries.reserve(drafts.size());
  for (DeepSkyDraft& draft : drafts) entries.push_back(FinishEntry(draft, names));
  return entries;
}

}  // namespace qv

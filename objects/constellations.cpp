// objects/constellations.cpp - the constellation and Greek-letter tables.
#include "objects/constellations.h"

#include "objects/textscan.h"

namespace qv {

const std::array<Constellation, ConstellationCount> Constellations = {{
    {"And", "Andromeda", "Andromedae", "Chained lady"},                          // 1
    {"Ant", "Antlia", "Antliae", "Air pump"},                                    // 2
    {"Aps", "Apus", "Apodi", "Bird of Paradise"},                                // 3
    {"Aqr", "Aquarius", "Aquarii", "Water bearer"},                              // 4
    {"Aql", "Aquila", "Aquilae", "Eagle"},                                       // 5
    {"Ara", "Ara", "Arae", "Altar"},                                             // 6
    {"Ari", "Aries", "Arietis", "Ram"},                                          // 7
    {"Aur", "Auriga", "Aurigae", "Charioteer"},                                  // 8
    {"Boo", "Bootes", "Bootis", "Herdsman"},                                     // 9
    {"Cae", "Caelum", "Caeili", "Chisel"},                                       // 10
    {"Cam", "Camelopardalis", "Camelopardalis", "Giraffe"},                      // 11
    {"Cnc", "Cancer", "Cancri", "Crab"},                                         // 12
    {"CVn", "Canes Venatici", "Canum Venaticorum", "Hunting dogs"},              // 13
    {"CMa", "Canis Major", "Canis Majoris", "Big dog"},                          // 14
    {"CMi", "Canis Minor", "Canis Minoris", "Little dog"},                       // 15
    {"Cap", "Capricornus", "Capricorni", "Goat"},                                // 16
    {"Car", "Carina", "Cariane", "Ship's keel"},                                 // 17
    {"Cas", "Cassiopeia", "Cassiopeiae", "Queen"},                               // 18
    {"Cen", "Centaurus", "Centauri", "Centaur"},                                 // 19
    {"Cep", "Cepheus", "Cephei", "King"},                                        // 20
    {"Cet", "Cetus", "Ceti", "Whale"},                                           // 21
    {"Cha", "Chameleon", "Chameleontis", "Chameleon"},                           // 22
    {"Cir", "Circinus", "Circini", "Dividers"},                                  // 23
    {"Col", "Columba", "Columbae", "Dove"},                                      // 24
    {"Com", "Coma Berenices", "Comae Berenices", "Berenice's hair"},             // 25
    {"CrA", "Corona Australis", "Coronae Australis", "Southern crown"},          // 26
    {"CrB", "Corona Borealis", "Coronae Borealis", "Northern crown"},            // 27
    {"Crv", "Corvus", "Corvi", "Crow"},                                          // 28
    {"Crt", "Crater", "Crateris", "Cup"},                                        // 29
    {"Cru", "Crux", "Crucis", "Southern cross"},                                 // 30
    {"Cyg", "Cygnus", "Cygni", "Swan"},                                          // 31
    {"Del", "Delphinus", "Delphini", "Dolphin"},                                 // 32
    {"Dor", "Dorado", "Doradus", "Swordfish"},                                   // 33
    {"Dra", "Draco", "Draconis", "Dragon"},                                      // 34
    {"Equ", "Equuleus", "Equulei", "Little horse"},                              // 35
    {"Eri", "Eridanus", "Eridani", "River"},                                     // 36
    {"For", "Fornax", "Fornacis", "Furnace"},                                    // 37
    {"Gem", "Gemini", "Geminorum", "Twins"},                                     // 38
    {"Gru", "Grus", "Gruis", "Crane"},                                           // 39
    {"Her", "Hercules", "Herculis", "Hercules"},                                 // 40
    {"Hor", "Horologium", "Horologii", "Clock"},                                 // 41
    {"Hya", "Hydra", "Hydrae", "Water snake (Ms.)"},                             // 42
    {"Hyi", "Hydrus", "Hydri", "Water snake (Mr.)"},                             // 43
    {"Ind", "Indus", "Indi", "Indian"},                                          // 44
    {"Lac", "Lacerta", "Lacertae", "Lizard"},                                    // 45
    {"Leo", "Leo", "Leonis", "Lion"},                                            // 46
    {"LMi", "Leo Minor", "Leonis Minoris", "Little lion"},                       // 47
    {"Lep", "Lepus", "Leporis", "Hare"},                                         // 48
    {"Lib", "Libra", "Librae", "Scales"},                                        // 49
    {"Lup", "Lupus", "Lupi", "Wolf"},                                            // 50
    {"Lyn", "Lynx", "Lyncis", "Lynx"},                                           // 51
    {"Lyr", "Lyra", "Lyrae", "Lyre"},                                            // 52
    {"Men", "Mensa", "Mensae", "Table"},                                         // 53
    {"Mic", "Microscopium", "Microscopii", "Microscope"},                        // 54
    {"Mon", "Monoceros", "Monocerotis", "Unicorn"},                              // 55
    {"Mus", "Musca", "Muscae", "Fly"},                                           // 56
    {"Nor", "Norma", "Normae", "Square"},                                        // 57
    {"Oct", "Octans", "Octantis", "Octant"},                                     // 58
    {"Oph", "Ophiucus", "Ophiuci", "Serpent-bearer"},                            // 59
    {"Ori", "Orion", "Orionis", "Hunter"},                                       // 60
    {"Pav", "Pavo", "Pavonis", "Peacock"},                                       // 61
    {"Peg", "Pegasus", "Pegasi", "Winged horse"},                                // 62
    {"Per", "Perseus", "Persei", "Perseus"},                                     // 63
    {"Phe", "Phoenix", "Phoenicis", "Phoenix"},                                  // 64
    {"Pic", "Pictor", "Pictoris", "Easel"},                                      // 65
    {"Psc", "Pisces", "Piscium", "Fish"},                                        // 66
    {"PsA", "Piscis Austrinus", "Piscis Austrini", "Southern fish"},             // 67
    {"Pup", "Puppis", "Puppis", "Ship's stern"},                                 // 68
    {"Pyx", "Pyxis", "Pyxidis", "Ship's compass"},                               // 69
    {"Ret", "Reticulum", "Reticuli", "Net"},                                     // 70
    {"Sge", "Sagitta", "Sagittae", "Arrow"},                                     // 71
    {"Sgr", "Sagittarius", "Sagittarii", "Archer"},                              // 72
    {"Sco", "Scorpius", "Scorpii", "Scorpion"},                                  // 73
    {"Scl", "Sculptor", "Sculptoris", "Sculptor"},                               // 74
    {"Sct", "Scutum", "Scuti", "Shield"},                                        // 75
    {"Ser", "Serpens", "Serpentis", "Serpent"},                                  // 76
    {"Sex", "Sextans", "Sextantis", "Sextant"},                                  // 77
    {"Tau", "Taurus", "Tauri", "Bull"},                                          // 78
    {"Tel", "Telescopium", "Telescopii", "Telescope"},                           // 79
    {"Tri", "Triangulum", "Trianguli", "Triangle"},                              // 80
    {"TrA", "Triangulum Australe", "Trianguli Australis", "Southern triangle"},  // 81
    {"Tuc", "Tucana", "Tucanae", "Toucan"},                                      // 82
    {"UMa", "Ursa Major", "Ursae Majoris", "Big bear"},                          // 83
    {"UMi", "Ursa Minor", "Ursae Minoris", "Little bear"},                       // 84
    {"Vel", "Vela", "Velorum", "Ship's sail"},                                   // 85
    {"Vir", "Virgo", "Virginis", "Virgin"},                                      // 86
    {"Vol", "Volans", "Volantis", "Flying fish"},                                // 87
    {"Vul", "Vulpecula", "Vulpeculae", "Fox"},                                   // 88
}};

const std::array<GreekLetter, GreekLetterCount> GreekLetters = {{
    {"Alpha", 'a', "α"},    // 1
    {"Beta", 'b', "β"},     // 2
    {"Gamma", 'g', "γ"},    // 3
    {"Delta", 'd', "δ"},    // 4
    {"Epsilon", 'e', "ε"},  // 5
    {"Zeta", 'z', "ζ"},     // 6
    {"Eta", 'h', "η"},      // 7
    {"Theta", 'q', "θ"},    // 8
    {"Iota", 'i', "ι"},     // 9
    {"Kappa", 'k', "κ"},    // 10
    {"Lambda", 'l', "λ"},   // 11
    {"Mu", 'm', "μ"},       // 12
    {"Nu", 'n', "ν"},       // 13
    {"Xi", 'x', "ξ"},       // 14
    {"Omicron", 'o', "ο"},  // 15
    {"Pi", 'p', "π"},       // 16
    {"Rho", 'r', "ρ"},      // 17
    {"Sigma", 's', "σ"},    // 18
    {"Tau", 't', "τ"},      // 19
    {"Upsilon", 'u', "υ"},  // 20
    {"Phi", 'f', "φ"},      // 21
    {"Chi", 'c', "χ"},      // 22
    {"Psi", 'y', "ψ"},      // 23
    {"Omega", 'w', "ω"},    // 24
}};

int FindConstellation(std::string_view text) {
  if (text.size() < 3) return 0;
  for (int n = 1; n <= ConstellationCount; ++n) {
    if (EqualsIgnoringCase(text.substr(0, 3), Constellations[n - 1].abbreviation)) return n;
  }
  return 0;
}

int GreekLetterOfSymbol(char symbol) {
  for (int k = 1; k <= GreekLetterCount; ++k) {
    if (GreekLetters[k - 1].symbol == symbol) return k;
  }
  return 0;
}

}  // namespace qv

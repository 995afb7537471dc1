// telescope/interfaces.cpp - the table of the interfaces.
#include "telescope/interfaces.h"

#include <numbers>

namespace qv {
namespace {

constexpr double DegreesPerSecond = std::numbers::pi / 180.0;
constexpr double ArcsecondsPerSecond = std::numbers::pi / 648000.0;

// Meade hand controllers: slew, find, center, guide.
constexpr std::array<double, 4> MeadeRates = {8 * DegreesPerSecond, 2 * DegreesPerSecond,
                                              480 * ArcsecondsPerSecond, 30 * ArcsecondsPerSecond};
// The line-command controller's jog rates 16 x ... 2 x the sidereal rate.
constexpr std::array<double, 4> JogRates = {240 * ArcsecondsPerSecond, 120 * ArcsecondsPerSecond,
                                            60 * ArcsecondsPerSecond, 30 * ArcsecondsPerSecond};
constexpr std::array<double, 4> FixedRates = {8 * DegreesPerSecond, 8 * DegreesPerSecond,
                                              8 * DegreesPerSecond, 8 * DegreesPerSecond};
constexpr std::array<double, 4> NoRates = {0, 0, 0, 0};

constexpr uint16_t Read = OperationReadPosition;
constexpr uint16_t SiteAndTime = OperationSetSite | OperationSetDateTime;
constexpr uint16_t MeadeFull = Read | OperationGoTo | OperationStop | OperationSync |
                               OperationMove | OperationSetSpeed | SiteAndTime;
constexpr uint16_t Encoder = Read | OperationAlign;

using F = ProtocolFamily;
using W = ControlWindowKind;
using E = EmulationKind;

constexpr InterfaceInfo Interfaces[TelescopeKindCount] = {
    {2500, F::Meade, W::Command, MeadeFull, E::MotionModel, true, false, MeadeRates},
    {2501, F::Meade, W::Command, Read | SiteAndTime, E::Mouse, true, false, NoRates},
    {2502, F::Meade, W::Command, Read | SiteAndTime, E::Mouse, true, false, NoRates},
    {2503, F::Meade, W::Command, Read | OperationGoTo | OperationStop | SiteAndTime, E::MotionModel,
     true, false, MeadeRates},
    {2504, F::Ultima, W::Command, Read | OperationGoTo | OperationStop | OperationSync,
     E::MotionModel, false, false, FixedRates},
    {2505, F::NexStar, W::Command, Read | OperationGoTo, E::PositionOnly, false, false, NoRates},
    {2506, F::EncoderBox, W::Alignment, Encoder, E::Mouse, false, false, NoRates},
    {2507, F::EncoderBox, W::Alignment, Encoder, E::Mouse, false, false, NoRates},
    {2508, F::EncoderBox, W::Alignment, Encoder, E::Mouse, false, false, NoRates},
    {2509, F::EncoderBox, W::Alignment, Encoder, E::Mouse, false, false, NoRates},
    {2510, F::EncoderBox, W::Alignment, Encoder, E::Mouse, false, false, NoRates},
    {2511, F::LineCommand, W::Command,
     Read | OperationGoTo | OperationStop | OperationSync | OperationMove | OperationSetSpeed |
         OperationSetDateTime,
     E::MotionModel, false, true, JogRates},
    {2512, F::Indi, W::Command, MeadeFull & ~OperationSetSpeed, E::MotionModel, true, false,
     MeadeRates},
};

}  // namespace

const InterfaceInfo& InterfaceOf(TelescopeKind kind) {
  const int index = kind >= 1 && kind <= TelescopeKindCount ? kind - 1 : 0;
  return Interfaces[index];
}

bool InterfaceOffers(TelescopeKind kind, TelescopeOperation operation) {
  return (InterfaceOf(kind).operations & operation) != 0;
}

}  // namespace qv

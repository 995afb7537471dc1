// telescope/encoder_box.h - the query protocol of digital setting circles (the encoder boxes of
// the AstroMaster, SkyWizard, NGC-MAX, SkyVector and BBox): one-letter commands, replies of text
// ending in a carriage return. The box knows no sky positions, only the counts of its two
// encoders; the link's two-star alignment (telescope/alignment.h) turns them into positions.
//
//   "P"  a number 0-999 (the box is there)
//   "Q"  the two counts, azimuth or R.A. axis first unless the encoders are swapped
#pragma once

#include <string_view>

#include "telescope/driver.h"

namespace qv {

extern const TelescopeDriver EncoderBoxDriver;

// ReadEncoderGreeting: the answer to "P": exactly one integer 0-999 between blanks.
bool ReadEncoderGreeting(std::string_view reply, int& value);

// ReadEncoderCounts: the answer to "Q": two numbers between blanks, in the box's order.
bool ReadEncoderCounts(std::string_view reply, double& first, double& second);

}  // namespace qv

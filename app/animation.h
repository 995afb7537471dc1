// app/animation.h - animation: the chart's time moved one step per idle event, forward or
// backward, by a fixed step or in real time from the animation clock; a trail point recorded
// for every trail at each step; each step appended as a frame to the animated GIF being saved
// (File > Export > Animation As...). The state and the step are the settings' AnimationState
// and AnimationTimeStep (days; 0 is real time).
#pragma once

#include "settings/settings.h"

namespace qv {

constexpr double DaysPerMillisecond = 1.1574074074074074e-8;

// RestartAnimationClock: notes the tick count and the Julian date; real-time animation runs
// from them.
void RestartAnimationClock();

// SetAnimationState: a running state (Backward, Forward) restarts the clock. With an animation
// file set, Off ends its GIF (the file is put in place) and forgets it; a running state entered
// from Off opens the file and starts its GIF. A changed state is stored and the menus updated.
void SetAnimationState(AnimationMode state);

// AnimationStep: nothing while Off. Otherwise the amount: the step, or in real time the
// milliseconds since the clock started times DaysPerMillisecond, counted from the date noted
// then (so real time never drifts, however many steps); the Julian date moves by it, forward or
// backward. Then every trail records the place the chart showed before the step, the chart is
// refreshed and its image appended to the GIF being saved.
void AnimationStep();

// SetAnimationStep: AnimationTimeStep = days; the menus updated.
void SetAnimationStep(double days);

// StepAnimationOnce: one step backward or forward; the state stays what it was, and so does an
// animation file waiting for animation to start.
void StepAnimationOnce(AnimationMode direction);

// SavingAnimation: an animation file is set (the chart image then has AnimationImageDepth bits).
bool SavingAnimation();

// ExportAnimation: File > Export > Animation As...: asks 544 when a file is being saved, then
// for the file (760, 761); while animating the new file is started at once, else note 543 offers
// to start animating forward (otherwise the file is started when animation next starts).
void ExportAnimation();

}  // namespace qv

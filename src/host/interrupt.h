// Ctrl-C during a long call. Octave cannot interrupt a MEX call from
// outside, so every loop that may run long asks here, on the main thread,
// at least every few tens of milliseconds of work.
//
// A loop that owns nothing the unwinding would lose calls
// leave_if_interrupted () directly. A loop that runs worker threads first
// stops handing out work when interrupt_pending () says so, joins its
// workers, and only then calls leave_if_interrupted (): the host's
// interrupt is raised as a C++ exception, and no worker may still be
// writing into an array the host is about to reclaim.
#pragma once

// Whether the user has pressed Ctrl-C since the last check. Cheap, never
// throws, main thread only.
bool interrupt_pending();
// Hands a pending interrupt to the host, which unwinds the call back to
// the prompt; returns when there is none. Main thread only.
void leave_if_interrupted();

// Steps of a loop between two checks, for steps that cost well under a
// microsecond each (an element, a trial, a weight): a check then comes at
// least every few milliseconds, and costs about 1/1000 of the loop.
inline constexpr long steps_per_interrupt_check = 4096;
// leave_if_interrupted () on the last step of every such stride.
inline void poll_interrupt(long step) {
  if (step % steps_per_interrupt_check == steps_per_interrupt_check - 1) leave_if_interrupted();
}

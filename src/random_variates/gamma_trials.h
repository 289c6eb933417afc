// Between the trial pass and the scan of the batched gamma draws: what a
// trial's verdict slot holds, and the logarithmic test the scan settles.
#pragma once

#include <cstdint>

#include "gamma_batch.h"

enum : int8_t {
  trial_rejected = 0,
  trial_accepted = 1,
  // The first tests left it open and the pass did not run the logs: the
  // boosted route, whose trials start at every position but only about
  // half of them are ever reached.
  trial_open = 2
};

// gamma_best's logarithmic test for the trial at u[0], u[1] with candidate x.
bool best_log_test(const gamma_batch_shape& shape, const double* u, double x);

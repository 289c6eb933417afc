// The searches for the first two tangents of ars (ars_search.h).
#include "ars_search.h"

#include <cmath>

namespace {

// A search point must lie this far below the best value seen, so that the
// first tangents sit on the density's flanks, not near its mode.
constexpr double search_drop = 0.1;
constexpr int max_search_steps = 2000;

}  // namespace

ars_evaluation ars_evaluate(ars_logdensity logdensity, void* params, double x) {
  ars_evaluation e{0.0, 0.0};
  e.h = logdensity(&e.d, params, x);
  return e;
}

void ars_set_tangent(ars_node* node, double x, const ars_evaluation& e) {
  node->x = x;
  node->slope = e.d;
  node->intercept = e.h - x * e.d;
}

bool ars_search_left(ars_logdensity logdensity, void* params, double x0, double width,
                     double* best, ars_node* node) {
  double x = x0;
  ars_evaluation e = ars_evaluate(logdensity, params, x0);
  if (!std::isfinite(e.h)) return false;
  *best = e.h;
  // A NaN derivative is not below the tolerance, a NaN value not above the
  // threshold: the comparisons are written so that NaN ends the loop.
  for (int steps = 0; e.d < ars_slope_tolerance || e.h > *best - search_drop; ++steps) {
    if (steps == max_search_steps) return false;
    x = x - (width + (x0 - x));
    e = ars_evaluate(logdensity, params, x);
    if (!std::isfinite(x) || !std::isfinite(e.h)) return false;
    if (e.h > *best) *best = e.h;
  }
  ars_set_tangent(node, x, e);
  return true;
}

bool ars_search_right(ars_logdensity logdensity, void* params, double x0, double width,
                      double* best, ars_node* node) {
  double x = x0;
  ars_evaluation e = ars_evaluate(logdensity, params, x0);
  if (!std::isfinite(e.h)) return false;
  for (int steps = 0; e.d > -ars_slope_tolerance || e.h > *best - search_drop; ++steps) {
    if (steps == max_search_steps) return false;
    x = x + (width + (x - x0));
    e = ars_evaluate(logdensity, params, x);
    if (!std::isfinite(x) || !std::isfinite(e.h)) return false;
    if (e.h > *best) *best = e.h;
  }
  ars_set_tangent(node, x, e);
  return true;
}

// The start of an ars call (ars.h): the two searches for the first
// tangents, one on each flank of the density, and the evaluations and
// tangents that the hull is built from. Shared with ars.cpp only.
#pragma once

#include "ars.h"

// Slopes closer than this are treated as equal: such a tangent would give a
// segment boundary (b2 - b1) / (a1 - a2) dominated by rounding.
inline constexpr double ars_slope_tolerance = 1e-9;

struct ars_evaluation {
  double h;
  double d;
};

ars_evaluation ars_evaluate(ars_logdensity logdensity, void* params, double x);
void ars_set_tangent(ars_node* node, double x, const ars_evaluation& e);

// Steps left from x0 (distances width, 3 width, 7 width, ...) until the
// derivative is clearly positive and the value lies 0.1 below the best
// seen, and sets `node` to the tangent there. False when the search fails:
// 2000 steps, or a point or value that is not finite.
bool ars_search_left(ars_logdensity logdensity, void* params, double x0, double width,
                     double* best, ars_node* node);
// The mirror image, continuing from the best value of the left search; the
// second evaluation at x0 does not update it.
bool ars_search_right(ars_logdensity logdensity, void* params, double x0, double width,
                      double* best, ars_node* node);

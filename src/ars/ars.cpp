#include "ars.h"

#include <cmath>
#include <cstdio>

#include "../host/interrupt.h"
#include "../random_variates/random_variates.h"

namespace {

constexpr int pool_size = 100;
// Slopes closer than this are treated as equal: such a tangent would give a
// segment boundary (b2 - b1) / (a1 - a2) dominated by rounding.
constexpr double slope_tolerance = 1e-9;
// A search point must lie this far below the best value seen, so that the
// first tangents sit on the density's flanks, not near its mode.
constexpr double search_drop = 0.1;
constexpr long warn_rejections = 10000;
constexpr int max_search_steps = 2000;
constexpr long max_rejections = 1000000;

ars_node* root = nullptr;

struct evaluation {
  double h;
  double d;
};

evaluation evaluate(ars_logdensity logdensity, void* params, double x) {
  evaluation e{0.0, 0.0};
  e.h = logdensity(&e.d, params, x);
  return e;
}

void set_tangent(ars_node* node, double x, const evaluation& e) {
  node->x = x;
  node->slope = e.d;
  node->intercept = e.h - x * e.d;
}

// Steps left from x0 until the derivative is clearly positive and the value
// lies search_drop below the best seen. False when the search fails.
bool search_left(ars_logdensity logdensity, void* params, double x0, double width,
                 double* best, ars_node* node) {
  double x = x0;
  evaluation e = evaluate(logdensity, params, x0);
  if (!std::isfinite(e.h)) return false;
  *best = e.h;
  // A NaN derivative is not below the tolerance, a NaN value not above the
  // threshold: the comparisons are written so that NaN ends the loop.
  for (int steps = 0; e.d < slope_tolerance || e.h > *best - search_drop; ++steps) {
    if (steps == max_search_steps) return false;
    x = x - (width + (x0 - x));
    e = evaluate(logdensity, params, x);
    if (!std::isfinite(x) || !std::isfinite(e.h)) return false;
    if (e.h > *best) *best = e.h;
  }
  set_tangent(node, x, e);
  return true;
}

// The mirror image, continuing from the best value of the left search; the
// second evaluation at x0 does not update it.
bool search_right(ars_logdensity logdensity, void* params, double x0, double width,
                  double* best, ars_node* node) {
  double x = x0;
  evaluation e = evaluate(logdensity, params, x0);
  if (!std::isfinite(e.h)) return false;
  for (int steps = 0; e.d > -slope_tolerance || e.h > *best - search_drop; ++steps) {
    if (steps == max_search_steps) return false;
    x = x + (width + (x - x0));
    e = evaluate(logdensity, params, x);
    if (!std::isfinite(x) || !std::isfinite(e.h)) return false;
    if (e.h > *best) *best = e.h;
  }
  set_tangent(node, x, e);
  return true;
}

double corner(const ars_node* left, const ars_node* right) {
  return (right->intercept - left->intercept) / (left->slope - right->slope);
}

// Scales every mass by exp(-M), M the hull's highest corner, so that no
// exponential overflows whatever the size of h. Returns their sum, or NaN
// when the envelope is not a usable density.
double update_masses() {
  double peak = root->slope * root->z + root->intercept;
  for (const ars_node* n = root->next; n->next != nullptr; n = n->next) {
    const double value = n->slope * n->z + n->intercept;
    if (value > peak) peak = value;
  }
  if (!std::isfinite(peak)) return NAN;
  double total = 0;
  for (ars_node* n = root; n != nullptr; n = n->next) {
    const double a = n->slope;
    const double b = n->intercept;
    if (n->prev == nullptr) {
      n->mass = std::exp(a * n->z + b - peak) / a;
    } else if (n->next == nullptr) {
      n->mass = -std::exp(a * n->prev->z + b - peak) / a;
    } else {
      n->mass = (std::exp(a * n->z + b - peak) - std::exp(a * n->prev->z + b - peak)) / a;
    }
    if (!std::isfinite(n->mass)) return NAN;
    total = total + n->mass;
  }
  return total > 0 ? total : NAN;
}

// Draws an abscissa from the piecewise exponential envelope by inversion:
// one uniform picks the segment by mass, one places the point within it.
// *cursor is left on the chosen node.
double rpwed(ars_node** cursor) {
  double total = 0;
  for (const ars_node* n = root; n != nullptr; n = n->next) total = total + n->mass;
  double t = total * rand_uniform();
  ars_node* node = root;
  while (node->next != nullptr) {
    t = t - node->mass;
    if (t < 0) break;
    node = node->next;
  }
  const double v = rand_uniopen();
  const double a = node->slope;
  double x;
  if (node->prev == nullptr) {
    x = node->z + std::log(v) / a;
  } else if (node->next == nullptr) {
    x = node->prev->z + std::log(v) / a;
  } else {
    // |a| keeps the exponent at or below 0 on either side of the mode.
    const double e = std::log(v + (1 - v) * std::exp(std::fabs(a) * (node->prev->z - node->z))) / a;
    x = a > 0 ? node->z + e : node->prev->z + e;
  }
  *cursor = node;
  return x;
}

bool distinct_slopes(double d, double a) { return std::fabs(d - a) > slope_tolerance; }

// A tangent at a rejected candidate tightens the envelope where it was too
// loose. Slopes that are too flat or too close to a neighbour's are dropped.
void add_tangent(ars_node* pool, int* used, ars_node* chosen, double x, const evaluation& e) {
  if (*used >= pool_size || !(std::fabs(e.d) > slope_tolerance) ||
      !distinct_slopes(e.d, chosen->slope) ||
      (chosen->prev != nullptr && !distinct_slopes(e.d, chosen->prev->slope)) ||
      (chosen->next != nullptr && !distinct_slopes(e.d, chosen->next->slope)))
    return;
  ars_node* node = &pool[(*used)++];
  set_tangent(node, x, e);
  if (chosen->x > x) {
    node->prev = chosen->prev;
    node->next = chosen;
  } else {
    node->prev = chosen;
    node->next = chosen->next;
  }
  if (node->prev != nullptr) node->prev->next = node; else root = node;
  if (node->next != nullptr) node->next->prev = node;
  if (node->prev != nullptr) node->prev->z = corner(node->prev, node);
  if (node->next != nullptr) node->z = corner(node, node->next);
}

}  // namespace

double ars(ars_logdensity logdensity, void* params, double x0, double width) {
  static int warning = 0;  // once per loaded module, however many calls
  ars_node pool[pool_size];
  int used = 2;
  root = &pool[0];
  pool[0].prev = nullptr;
  pool[0].next = &pool[1];
  pool[1].prev = &pool[0];
  pool[1].next = nullptr;

  double best = 0;
  if (!search_left(logdensity, params, x0, width, &best, &pool[0]) ||
      !search_right(logdensity, params, x0, width, &best, &pool[1]))
    return NAN;
  pool[0].z = corner(&pool[0], &pool[1]);

  for (long rejections = 0; rejections < max_rejections; ++rejections) {
    poll_interrupt(rejections);
    if (rejections == warn_rejections && warning == 0) {
      std::fprintf(stderr, "WARNING: More than 10000 rejections in ars\n");
      warning = 1;
    }
    if (std::isnan(update_masses())) return NAN;
    ars_node* chosen = nullptr;
    const double x = rpwed(&chosen);
    const evaluation e = evaluate(logdensity, params, x);
    const double u = rand_uniform();
    // Equality accepts; a NaN ratio rejects.
    if (std::exp(e.h - chosen->slope * x - chosen->intercept) >= u) return x;
    add_tangent(pool, &used, chosen, x, e);
  }
  return NAN;
}

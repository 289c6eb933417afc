#include "ars.h"

#include <cmath>
#include <cstdio>

#include "../host/interrupt.h"
#include "../random_variates/random_variates.h"
#include "ars_search.h"

namespace {

constexpr int pool_size = 100;
constexpr long warn_rejections = 10000;
constexpr long max_rejections = 1000000;

// The nodes every call builds its hull from, and the head of their list.
// The sampler is not re-entrant anyway; kept here rather than in a call's
// frame, the head never points into a frame that has returned.
ars_node pool[pool_size];
ars_node* root = nullptr;

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

bool distinct_slopes(double d, double a) { return std::fabs(d - a) > ars_slope_tolerance; }

// A tangent at a rejected candidate tightens the envelope where it was too
// loose. Slopes that are too flat or too close to a neighbour's are dropped.
void add_tangent(int* used, ars_node* chosen, double x, const ars_evaluation& e) {
  if (*used >= pool_size || !(std::fabs(e.d) > ars_slope_tolerance) ||
      !distinct_slopes(e.d, chosen->slope) ||
      (chosen->prev != nullptr && !distinct_slopes(e.d, chosen->prev->slope)) ||
      (chosen->next != nullptr && !distinct_slopes(e.d, chosen->next->slope)))
    return;
  ars_node* node = &pool[(*used)++];
  ars_set_tangent(node, x, e);
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
  int used = 2;
  root = &pool[0];
  pool[0].prev = nullptr;
  pool[0].next = &pool[1];
  pool[1].prev = &pool[0];
  pool[1].next = nullptr;

  double best = 0;
  if (!ars_search_left(logdensity, params, x0, width, &best, &pool[0]) ||
      !ars_search_right(logdensity, params, x0, width, &best, &pool[1]))
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
    const ars_evaluation e = ars_evaluate(logdensity, params, x);
    const double u = rand_uniform();
    // Equality accepts; a NaN ratio rejects.
    if (std::exp(e.h - chosen->slope * x - chosen->intercept) >= u) return x;
    add_tangent(&used, chosen, x, e);
  }
  return NAN;
}

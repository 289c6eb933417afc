// Derivative-based adaptive rejection sampling (Gilks and Wild, 1992, Applied
// Statistics 41) for a univariate density proportional to exp(h(x)) with h
// concave, known through a callback that returns h(x) and h'(x).
//
// The envelope is the upper hull of tangents to h, exponentiated; there is no
// squeeze, so every candidate costs one callback evaluation. A rejected
// candidate may become a further tangent, up to 100 per call.
//
// Not re-entrant: the list head is module state, so the callback must not
// call ars. Uniforms come from the random variate library: three per
// candidate, in the order segment, position, acceptance.
#pragma once

// Returns h(x) and writes h'(x) through `derivative`. `params` is the
// caller's record, passed through unchanged.
typedef double (*ars_logdensity)(double* derivative, void* params, double x);

// One tangent of the envelope: t(x) = slope * x + intercept.
struct ars_node {
  double slope;
  double intercept;
  double x;      // where the tangent touches h
  double z;      // right end of this node's segment (unset on the last node)
  double mass;   // integral of exp(t(x) - M) over the segment
  ars_node* prev;
  ars_node* next;
};

// One draw from exp(h), with both searches for the first two tangents
// starting at x0 and stepping out by width (> 0): distances w, 3w, 7w, ...
// Returns NaN, drawing nothing more, when it cannot sample: a search needs
// more than 2000 steps or meets a non-finite point or value, the envelope
// becomes non-finite or empty, or a million candidates in a row are rejected.
// Those happen only for densities that are not proper and log-concave.
double ars(ars_logdensity logdensity, void* params, double x0, double width);

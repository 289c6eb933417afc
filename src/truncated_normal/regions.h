// Normal(mu, sigma^2) restricted to [lo, hi]: the method that suits each
// region of the standardised interval [alpha, beta], and its draws.
//
// Every method is exact rejection whose expected number of trials is below
// 2.6 for every interval:
// - normal: N(0, 1) proposals (their absolute values on one side of the
//   mode) for intervals wide enough that they land inside often enough;
// - uniform: uniform proposals on the interval, accepted with
//   exp (-(z^2 - m^2) / 2), m the point of the interval nearest the mode,
//   for narrow intervals (Robert 1995, "Simulation of truncated normal
//   variables", Statistics and Computing 5, 121-125);
// - rayleigh: one-sided intervals from alpha >= 0.648 outwards, by the
//   Rayleigh proposal z = sqrt (alpha^2 + 2 e) truncated to [alpha, beta] by
//   inversion and accepted with probability alpha / z (Botev 2017, "The
//   normal law under linear restrictions", JRSS B 79, 125-148).
// A one-sided interval below the mode is drawn as its mirror image.
#pragma once

enum class tn_method { normal, uniform, rayleigh };

struct tn_plan {
  tn_method how;
  double mu;
  double sigma;
  double lo;          // the bounds, an infinite one replaced by the largest
  double hi;          // finite double of its sign: every draw is finite
  double side;        // +1 above the mode or straddling it, -1 below it
  bool folded;        // normal: proposals |z| on the interval's side
  double near;        // the bound nearest the mode (mu where it straddles)
  double near_z;      // its distance from the mode in sigmas, >= 0
  double width;       // uniform: hi - lo
  double rayleigh_f;  // rayleigh: expm1 (-(beta^2 - alpha^2) / 2), in [-1, 0)
};

// For finite mu, finite sigma > 0 and a < b, neither NaN.
tn_plan truncated_normal_plan(double mu, double sigma, double a, double b);

// One draw in [lo, hi]. Host values: normal takes one randn per trial;
// uniform and rayleigh take two rands per trial, the proposal's first.
// NaN after a million trials (a broken host).
double truncated_normal_draw(const tn_plan& p);

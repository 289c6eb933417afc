// The logarithm of a gamma draw (shape a, scale 1), for samplers that
// normalise gamma draws in log space: it stays finite where the draw itself
// underflows, as it does for shapes of 1e-4 and below.
//
// Marsaglia and Tsang (2000), "A simple method for generating gamma
// variables", ACM TOMS 26, 363-372. For a shape s >= 1: d = s - 1/3 and
// c = 1 / sqrt (9 d); a normal x gives the candidate d v, v = (1 + c x)^3,
// accepted when u < 1 - 0.0331 x^4 or log u < x^2 / 2 + d (1 - v + log v).
// A shape a below 1 is drawn as s = a + 1 and boosted by the paper's
// G(a) = G(a + 1) U^(1/a): log G(a) = log G(a + 1) + log (U) / a.
#pragma once

// Everything a shape's draws need, made once per shape.
struct gamma_plan {
  double alpha;  // the shape a it was made for
  double d;
  double c;
  double log_d;
  double boost;  // a when a < 1 (the shape drawn is a + 1), 0 otherwise
};

// For a positive finite shape a.
gamma_plan log_gamma_plan(double a);

// One log G. Host values, from the random variate library: for a boosted
// shape one rand (U) first; then per trial one randn (x), followed by one
// rand (u) unless 1 + c x <= 0, which ends the trial. NaN after a million
// trials (a broken host). Shapes of 1e-300 and above give finite values for
// every uniform in (0, 1).
double log_gamma_draw(const gamma_plan& p);

## -*- texinfo -*-
## @deftypefn  {} {@var{W} =} wishart_draws (@var{sigma}, @var{nu})
## @deftypefnx {} {@var{W} =} wishart_draws (@var{sigma}, @var{nu}, @var{N})
## @deftypefnx {} {[@var{W}, @var{C}] =} wishart_draws (@dots{})
## Draw from the Wishart distribution with scale @var{sigma} and @var{nu}
## degrees of freedom.
##
## @var{sigma} is a @var{p} x @var{p} symmetric positive definite matrix,
## @var{p} >= 1, and @var{nu} a real number greater than @var{p} - 1 (not
## necessarily whole).  @var{W} is the @var{p} x @var{p} x @var{N} array of
## @var{N} independent draws (@var{N} defaults to 1 and is truncated toward
## zero; one draw is a @var{p} x @var{p} matrix), with mean
## @code{@var{nu} * @var{sigma}} and element variances
## @code{@var{nu} * (@var{sigma}(i,j)^2 + @var{sigma}(i,i) * @var{sigma}(j,j))}.
## @var{N} is a count of draws, so it takes no size vector.
##
## @var{C} holds the upper Cholesky factor of each draw, as @code{chol}
## returns it: upper triangular with a positive diagonal, and @var{W} is
## computed from it, @code{@var{W}(i,j)} being the sum over k = 1 @dots{}
## min (i, j) of @code{@var{C}(k,i) * @var{C}(k,j)} added in increasing k,
## once for i <= j and mirrored.  So every draw is symmetric to the last
## bit, and @code{@var{C}' * @var{C}} (which Octave sums in another order)
## differs from @var{W} by rounding alone, at most about
## @code{2 * p * eps * sqrt (@var{W}(i,i) * @var{W}(j,j))} in element
## (i, j).  A Gibbs sampler needs no second factorisation: for instance
## @code{log (det (@var{W}))} is @code{2 * sum (log (diag (@var{C})))}.
##
## Method: Bartlett's decomposition.  With R = @code{chol (@var{sigma})},
## each draw is C = G * R, G upper triangular with G(i,i) =
## @code{sqrt (2 * g)}, g a gamma draw of shape (@var{nu} - i + 1) / 2
## (a chi-square with @var{nu} - i + 1 degrees of freedom), and G(i,j)
## standard normal for i < j; then @var{W} = C' * C.  The gamma draws are
## those of @code{scaled_invchi2_draws}, never below 1e-15: a diagonal
## element of C is at least @code{sqrt (2e-15) * R(i,i)}, so every draw is
## positive definite, even for @var{nu} just above @var{p} - 1.  That floor
## changes the distribution only where @var{nu} - @var{p} + 1 is small: a
## chi-square with k degrees of freedom falls below 2e-15 with probability
## about 1e-15^(k/2) (4e-8 for k = 1).
##
## Symmetry and definiteness of @var{sigma}: only its upper triangle is
## used, as by @code{chol}; the lower one must agree with it beyond rounding,
## that is, each @code{abs (@var{sigma}(i,j) - @var{sigma}(j,i))} is at
## most 2^-26 (about @code{sqrt (eps)}) times the largest magnitude in
## @var{sigma}.  @var{sigma} is positive definite when the Cholesky
## factorisation of that triangle meets no pivot that is zero or negative,
## which is what @code{chol} decides.
##
## Randomness and seeding: draws in order; for each, first the
## p*(p-1)/2 normals of G's strict upper triangle column by column
## (G(1,2); G(1,3), G(2,3); G(1,4), @dots{}), one @code{randn} each, then
## the gamma draws of G(1,1), @dots{}, G(p,p) in that order, from
## @code{rand}: a shape above 1.00001 takes two per trial of Best's
## rejection method (on average about three trials just above shape 1,
## 1.6 at shape 2.5); a shape in (1, 1.00001) one (an exponential draw); a
## shape up to 1 one, then a draw of that shape plus 1.  So @code{wishart_draws (@var{sigma}, @var{nu}, @var{N})} gives the
## bits of @var{N} successive calls @code{wishart_draws (@var{sigma},
## @var{nu})}, and seeding both @code{rand ("state", k)} and
## @code{randn ("state", k)} fixes every bit of @var{W} and @var{C}.
## Octave's builtin generators hand these values over inside the process,
## with no interpreter call per value; a @code{rand} or @code{randn} of your
## own on the path sees one call per value.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Errors, in the order they are checked: "Too many output arguments.",
## "Wrong number of input arguments.", "sigma must be a real double
## array.", "sigma must have at most two dimensions.", "sigma must be a
## non-empty square matrix.", "nu must be a real double array.", "nu must
## be a scalar." (also when empty), "N must be a scalar.", "N must be a
## real number." (N may be of any real numeric or logical class, as for
## @code{rand}), "Size arguments must not be empty.", "Size arguments
## must be finite and non-negative, with fewer than 2^31 elements in all."
## (@var{p}^2 * @var{N} elements), "nu must be a finite number greater than
## p - 1.", "nu must exceed p - 1 by at least 2e-5." (closer to it, the
## last chi-square's shape falls below 1e-5, where the gamma draws no longer
## draw), "sigma must hold finite values.", "sigma must be symmetric." and
## "sigma must be positive definite.".
##
## @example
## rand ("state", 1); randn ("state", 1);
## sigma = [2 0.5; 0.5 1];
## [W, C] = wishart_draws (sigma, 5, 1000);    # 2 x 2 x 1000
## mean (W, 3)                                 # about 5 * sigma
## logdet = 2 * sum (log (diag (C(:, :, 1)))); # log (det (W(:, :, 1)))
## @end example
## @seealso{inverse_wishart_draws, chol}
## @end deftypefn

%!test
%! c = {rand("state"), randn("state")};
%! unwind_protect
%!   rand ("state", 4);
%!   randn ("state", 4);
%!   sigma = [2 0.5 0; 0.5 1 0.3; 0 0.3 1.5];
%!   [w, r] = wishart_draws (sigma, 4.5, 3);
%!   rand ("state", 4);
%!   randn ("state", 4);
%!   [w1, r1] = wishart_draws (sigma, 4.5);   # the first of the three, bit for bit
%!   assert ({size(w), w1, r1}, {[3 3 3], w(:, :, 1), r(:, :, 1)});
%!   assert (w, permute (w, [2 1 3]));
%!   assert (size (wishart_draws (4, 0.5)), [1 1]);
%!   assert (size (wishart_draws (eye (2), 3, 2.9)), [2 2 2]);
%!   assert (size (wishart_draws (eye (4), 5, 0)), [4 4 0]);
%! unwind_protect_cleanup
%!   rand ("state", c{1});
%!   randn ("state", c{2});
%! end_unwind_protect

%!demo
%! ## 2000 draws: the sample mean against nu * sigma, and one draw's
%! ## log-determinant from its Cholesky factor
%! rand ("state", 1); randn ("state", 1);
%! sigma = [1 0.8; 0.8 1];
%! [W, C] = wishart_draws (sigma, 6, 2000);
%! printf ("mean of W:\n"); disp (mean (W, 3));
%! printf ("nu * sigma:\n"); disp (6 * sigma);
%! figure ();
%! plot (squeeze (W(1, 1, :)), squeeze (W(1, 2, :)), ".");
%! xlabel ("W(1,1)"); ylabel ("W(1,2)");
%! title ("wishart\\_draws ([1 0.8; 0.8 1], 6, 2000)");

%!error <Too many output arguments\.> [a, b, c] = wishart_draws (1, 2)
%!error <Wrong number of input arguments\.> wishart_draws (1)
%!error <Wrong number of input arguments\.> wishart_draws (1, 2, 3, 4)
%!error <sigma must be a real double array\.> wishart_draws (single (1), 2)
%!error <sigma must be a real double array\.> wishart_draws (sparse (1), 2)
%!error <sigma must be a real double array\.> wishart_draws (1i, 2)
%!error <sigma must be a non-empty square matrix\.> wishart_draws ([], 2)
%!error <sigma must be a non-empty square matrix\.> wishart_draws (ones (2, 3), 2)
%!error <sigma must have at most two dimensions\.> wishart_draws (ones (1, 1, 2), 2)
%!error <nu must be a real double array\.> wishart_draws (1, single (2))
%!error <nu must be a scalar\.> wishart_draws (1, [2 3])
%!error <nu must be a scalar\.> wishart_draws (1, [])
%!error <N must be a scalar\.> wishart_draws (1, 2, [3 4])
%!error <N must be a real number\.> wishart_draws (1, 2, "a")
%!error <Size arguments must not be empty\.> wishart_draws (1, 2, [])
%!error <Size arguments must be finite and non-negative> wishart_draws (1, 2, -1)
%!error <Size arguments must be finite and non-negative> wishart_draws (eye (2), 2, 2^30)
%!error <nu must be a finite number greater than p - 1\.> wishart_draws (eye (3), 2)
%!error <nu must be a finite number greater than p - 1\.> wishart_draws (1, Inf)
%!error <nu must be a finite number greater than p - 1\.> wishart_draws (1, NaN)
%!error <nu must exceed p - 1 by at least 2e-5\.> wishart_draws (eye (3), 2 + 1e-5)
%!error <sigma must hold finite values\.> wishart_draws ([1 NaN; NaN 1], 2)
%!error <sigma must be symmetric\.> wishart_draws ([1 0.5; 0.4 1], 2)
%!error <sigma must be positive definite\.> wishart_draws ([1 2; 2 1], 2)
%!error <sigma must be positive definite\.> wishart_draws (zeros (2), 2)

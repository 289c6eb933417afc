## -*- texinfo -*-
## @deftypefn  {} {@var{W} =} inverse_wishart_draws (@var{psi}, @var{nu})
## @deftypefnx {} {@var{W} =} inverse_wishart_draws (@var{psi}, @var{nu}, @var{N})
## @deftypefnx {} {[@var{W}, @var{C}] =} inverse_wishart_draws (@dots{})
## Draw from the inverse-Wishart distribution with scale @var{psi} and
## @var{nu} degrees of freedom, the conjugate prior of a normal covariance.
##
## @code{inv (@var{W})} is Wishart with scale @code{inv (@var{psi})} and
## @var{nu} degrees of freedom.  @var{psi} is a @var{p} x @var{p} symmetric
## positive definite matrix, @var{p} >= 1, and @var{nu} a real number
## greater than @var{p} - 1 (not necessarily whole).  @var{W} is the
## @var{p} x @var{p} x @var{N} array of @var{N} independent draws (@var{N}
## defaults to 1 and is truncated toward zero; one draw is a @var{p} x
## @var{p} matrix), with mean @code{@var{psi} / (@var{nu} - @var{p} - 1)}
## for @var{nu} > @var{p} + 1.  @var{N} is a count of draws, so it takes no
## size vector.
##
## @var{C} holds the upper Cholesky factor of each draw, as @code{chol}
## returns it: upper triangular with a positive diagonal, and @var{W} is
## computed from it, @code{@var{W}(i,j)} being the sum over k = 1 @dots{}
## min (i, j) of @code{@var{C}(k,i) * @var{C}(k,j)} added in increasing k,
## once for i <= j and mirrored.  So every draw is symmetric to the last
## bit, and @code{@var{C}' * @var{C}} (which Octave sums in another order)
## differs from @var{W} by rounding alone, at most about
## @code{2 * p * eps * sqrt (@var{W}(i,i) * @var{W}(j,j))} in element
## (i, j).  A sampler needs no second factorisation: the normal likelihood
## of a covariance @var{W} wants @code{@var{C}' \ x} and
## @code{2 * sum (log (diag (@var{C})))}, its log-determinant.
##
## Method: no inverse is formed.  With R = @code{chol (@var{psi})}, each
## draw is C = G \ R (a triangular solve), G upper triangular with G(i,i) =
## @code{sqrt (2 * g)}, g a gamma draw of shape (@var{nu} - p + i) / 2 (a
## chi-square with @var{nu} - p + i degrees of freedom), and G(i,j)
## standard normal for i < j; then @var{W} = C' * C.  G * G' is Wishart
## with the identity scale (Bartlett's decomposition with rows and columns
## in reverse order), so @code{inv (@var{W}) = inv (R) * G * G' * inv (R)'}
## is Wishart with scale @code{inv (R) * inv (R)' = inv (@var{psi})}.  The
## gamma draws are those of @code{scaled_invchi2_draws}, never below
## 1e-15: a diagonal element of G is at least @code{sqrt (2e-15)}, so no
## draw is infinite.  That floor cuts the far tail only where
## @var{nu} - @var{p} + 1 is small: a chi-square with k degrees of freedom
## falls below 2e-15 with probability about 1e-15^(k/2) (4e-8 for k = 1).
##
## Symmetry and definiteness of @var{psi}: only its upper triangle is used,
## as by @code{chol}; the lower one must agree with it beyond rounding, that
## is, each @code{abs (@var{psi}(i,j) - @var{psi}(j,i))} is at most 2^-26
## (about @code{sqrt (eps)}) times the largest magnitude in @var{psi}.
## @var{psi} is positive definite when the Cholesky factorisation of that
## triangle meets no pivot that is zero or negative, which is what
## @code{chol} decides.
##
## Randomness and seeding: draws in order; for each, first the
## p*(p-1)/2 normals of G's strict upper triangle column by column
## (G(1,2); G(1,3), G(2,3); G(1,4), @dots{}), one @code{randn} each, then
## the gamma draws of G(1,1), @dots{}, G(p,p) in that order, from
## @code{rand}: a shape above 1.00001 takes two per trial of Best's
## rejection method (on average about three trials just above shape 1,
## 1.6 at shape 2.5); a shape in (1, 1.00001) one (an exponential draw); a
## shape up to 1 one, then a draw of that shape plus 1.  So @code{inverse_wishart_draws (@var{psi}, @var{nu}, @var{N})}
## gives the bits of @var{N} successive calls
## @code{inverse_wishart_draws (@var{psi}, @var{nu})}, and seeding both
## @code{rand ("state", k)} and @code{randn ("state", k)} fixes every bit of
## @var{W} and @var{C}.  Octave's builtin generators hand these values over
## inside the process, with no interpreter call per value; a @code{rand}
## or @code{randn} of your own on the path sees one call per value.
##
## Ctrl-C stops a long call within milliseconds, with no result;
## @code{rand} and @code{randn} are then left as if the values the call had
## drawn so far had been drawn one call at a time.
##
## Errors, in the order they are checked: "Too many output arguments.",
## "Wrong number of input arguments.", "psi must be a real double array.",
## "psi must have at most two dimensions.", "psi must be a non-empty
## square matrix.", "nu must be a real double array.", "nu must be a
## scalar." (also when empty), "N must be a scalar.", "N must be a real
## number." (N may be of any real numeric or logical class, as for
## @code{rand}), "Size arguments must not be empty.", "Size arguments must
## be finite and non-negative, with fewer than 2^31 elements in all."
## (@var{p}^2 * @var{N} elements), "nu must be a finite number greater than
## p - 1.", "nu must exceed p - 1 by at least 2e-5." (closer to it, the
## first chi-square's shape falls below 1e-5, where the gamma draws no
## longer draw), "psi must hold finite values.", "psi must be symmetric."
## and "psi must be positive definite.".
##
## @example
## ## one Gibbs step for the covariance of normal data x (n x p, mean mu)
## ## under the prior inverse-Wishart (psi0, nu0)
## rand ("state", 1); randn ("state", 1);
## x = randn (50, 2) * [1 0.5; 0 1];  mu = [0 0];  psi0 = eye (2);  nu0 = 4;
## r = x - mu;
## [sigma, C] = inverse_wishart_draws (psi0 + r' * r, nu0 + rows (x));
## z = C' \ r';                        # whitened data, for the likelihood
## @end example
## @seealso{wishart_draws, chol}
## @end deftypefn

%!test
%! c = {rand("state"), randn("state")};
%! unwind_protect
%!   rand ("state", 6);
%!   randn ("state", 6);
%!   psi = [2 0.5 0; 0.5 1 0.3; 0 0.3 1.5];
%!   [w, r] = inverse_wishart_draws (psi, 2.5, 3);
%!   rand ("state", 6);
%!   randn ("state", 6);
%!   [w1, r1] = inverse_wishart_draws (psi, 2.5);   # the first of the three, bit for bit
%!   assert ({size(w), w1, r1}, {[3 3 3], w(:, :, 1), r(:, :, 1)});
%!   assert (w, permute (w, [2 1 3]));
%!   assert (size (inverse_wishart_draws (4, 0.5)), [1 1]);
%!   assert (size (inverse_wishart_draws (eye (2), 3, 2.9)), [2 2 2]);
%!   assert (size (inverse_wishart_draws (eye (4), 5, 0)), [4 4 0]);
%! unwind_protect_cleanup
%!   rand ("state", c{1});
%!   randn ("state", c{2});
%! end_unwind_protect

%!demo
%! ## 4000 draws: the sample mean against psi / (nu - p - 1), and the
%! ## spread of the draws' correlations
%! rand ("state", 1); randn ("state", 1);
%! psi = [1 0.6; 0.6 2];
%! W = inverse_wishart_draws (psi, 8, 4000);
%! printf ("mean of W:\n"); disp (mean (W, 3));
%! printf ("psi / (nu - p - 1):\n"); disp (psi / 5);
%! rho = squeeze (W(1, 2, :) ./ sqrt (W(1, 1, :) .* W(2, 2, :)));
%! figure ();
%! hist (rho, 40);
%! xlabel ("correlation of W");
%! title ("inverse\\_wishart\\_draws ([1 0.6; 0.6 2], 8, 4000)");

%!error <Too many output arguments\.> [a, b, c] = inverse_wishart_draws (1, 2)
%!error <Wrong number of input arguments\.> inverse_wishart_draws (1)
%!error <psi must be a real double array\.> inverse_wishart_draws (int8 (1), 2)
%!error <psi must be a non-empty square matrix\.> inverse_wishart_draws (ones (3, 2), 2)
%!error <psi must have at most two dimensions\.> inverse_wishart_draws (ones (2, 2, 2), 3)
%!error <nu must be a scalar\.> inverse_wishart_draws (1, ones (1, 1, 2))
%!error <N must be a scalar\.> inverse_wishart_draws (1, 2, ones (1, 1, 2))
%!error <nu must be a finite number greater than p - 1\.> inverse_wishart_draws (eye (2), 1)
%!error <nu must exceed p - 1 by at least 2e-5\.> inverse_wishart_draws (1, 1e-5)
%!error <psi must hold finite values\.> inverse_wishart_draws ([1 Inf; Inf 1], 2)
%!error <psi must be symmetric\.> inverse_wishart_draws ([1 1e-7; 0 1], 2)
%!error <psi must be positive definite\.> inverse_wishart_draws (-1, 2)

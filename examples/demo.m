## samplekit demo: the posterior of a normal variance.
##
## With data y(i) ~ N(0, sigma2) and the conjugate prior
## sigma2 ~ Scaled-Inv-chi2(nu0, s0), the posterior is
## Scaled-Inv-chi2(nu0 + n, (nu0 * s0 + sum (y.^2)) / (nu0 + n)).
## scaled_invchi2_draws draws it directly; the seed fixes every bit.

here = fileparts (mfilename ("fullpath"));
addpath (fullfile (here, "..", "build"));

rand ("state", 2026);
randn ("state", 2026);

true_sigma2 = 2.5;
n = 50;
y = sqrt (true_sigma2) * randn (n, 1);

nu0 = 4;
s0 = 1;
nu_post = nu0 + n;
s_post = (nu0 * s0 + sum (y .^ 2)) / nu_post;

draws = scaled_invchi2_draws (s_post, nu_post, 20000, 1);
exact_mean = nu_post * s_post / (nu_post - 2);
q = sort (draws);

printf ("samplekit demo: posterior of a normal variance (true value %.2f, n = %d)\n",
        true_sigma2, n);
printf ("  posterior mean      %.4f   (exact %.4f)\n", mean (draws), exact_mean);
printf ("  95%% interval        [%.4f, %.4f]\n", q(round (0.025 * end)), q(round (0.975 * end)));
printf ("  same seed, same bits: ");
rand ("state", 7);
a = scaled_invchi2_draws (s_post, nu_post, 5, 1);
rand ("state", 7);
b = scaled_invchi2_draws (s_post, nu_post, 5, 1);
printf ("%s\n", mat2str (isequal (a, b)));

# Times posterior::summarise_draws with mcmc_summary's measures on the array
# that bench/mcmc_bench.m wrote, in this process of its own.
#
#   Rscript mcmc_bench.R ARRAY.bin RUNS OUT.txt
#
# ARRAY.bin: three dimensions (int32), then the little-endian doubles.
# Prints one line "seconds t1 t2 ..." and writes the last run's summary to
# OUT.txt, one variable a line (%.17g), for the bench to compare.
suppressMessages(library(posterior))
args <- commandArgs(trailingOnly = TRUE)
input <- file(args[1], "rb")
dims <- readBin(input, "integer", 3, size = 4, endian = "little")
x <- as_draws_array(array(readBin(input, "double", prod(dims), size = 8, endian = "little"), dims))
close(input)
seconds <- numeric(0)
for (run in seq_len(as.integer(args[2]))) {
  started <- proc.time()[["elapsed"]]
  s <- summarise_draws(x, "mean", "median", "sd", "mad", ~quantile2(.x, probs = c(0.05, 0.95)),
                       "rhat", "ess_bulk", "ess_tail", "mcse_mean")
  seconds <- c(seconds, proc.time()[["elapsed"]] - started)
}
values <- as.matrix(as.data.frame(s)[, -1])
writeLines(apply(values, 1, function(v) paste(sprintf("%.17g", v), collapse = " ")), args[3])
cat("seconds", sprintf("%.3f", seconds), "\n")

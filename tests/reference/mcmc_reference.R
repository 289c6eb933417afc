# The reference numbers of mcmc_summary: R's posterior package (1.4) on the
# arrays of tests/helpers/mcmc_test_arrays.m. Run by make_mcmc_reference.m,
# which writes the arrays and keeps what this prints; needs R and posterior
# (Debian: r-base-core, r-cran-posterior).
#
#   Rscript mcmc_reference.R ARRAYS.bin OUT.txt
#
# ARRAYS.bin: the number of arrays (int32), then for each its name's length
# (int32), the name, three dimensions (int32) and the values (little-endian
# doubles in Octave's storage order). OUT.txt: one line per variable, the
# array's name, the variable's number and the ten summary values (%.17g, NA
# where posterior gives NA).
suppressMessages(library(posterior))
args <- commandArgs(trailingOnly = TRUE)
input <- file(args[1], "rb")
count <- readBin(input, "integer", 1, size = 4, endian = "little")
lines <- character(0)
for (k in seq_len(count)) {
  name <- readChar(input, readBin(input, "integer", 1, size = 4, endian = "little"), useBytes = TRUE)
  dims <- readBin(input, "integer", 3, size = 4, endian = "little")
  x <- array(readBin(input, "double", prod(dims), size = 8, endian = "little"), dims)
  s <- summarise_draws(as_draws_array(x), "mean", "median", "sd", "mad",
                       ~quantile2(.x, probs = c(0.05, 0.95)), "rhat", "ess_bulk", "ess_tail", "mcse_mean")
  values <- as.matrix(as.data.frame(s)[, -1])
  for (v in seq_len(nrow(values)))
    lines <- c(lines, paste(name, v, paste(sprintf("%.17g", values[v, ]), collapse = " ")))
}
close(input)
writeLines(c(sprintf("# posterior %s, %s", packageVersion("posterior"), R.version.string),
             "# array variable mean median sd mad q5 q95 rhat ess_bulk ess_tail mcse_mean", lines),
           args[2])

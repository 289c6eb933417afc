## -*- texinfo -*-
## @deftypefn {} {@var{D} =} metric_distance_matrix (@var{metric}, @var{X})
## Scaled Euclidean distances between the rows of @var{X}.
##
## @var{X} is an @var{n} x @var{m} data matrix (rows are points).
## @var{metric} says which columns of @var{X} form each component of the
## distance and how far apart two values must be to count as one unit (the
## length-scale).  Plain Euclidean distances between the rows take one
## component holding every column and length-scale 1:
##
## @example
## metric = struct ("type", "metric_euclidean", "lengthScale", 1, ...
##                  "components", @{@{1:columns(X)@}@}, "deltadist", false);
## D = metric_distance_matrix (metric, X);
## @end example
##
## @var{metric} is a structure with the fields:
## @table @code
## @item type
## the string "metric_euclidean";
## @item components
## a one-dimensional cell array; cell @var{i} holds a vector of column
## numbers of @var{X} (1-based, truncated toward zero, each from 1 to
## @var{m});
## @item lengthScale
## one length-scale for all components, or one per component;
## @item deltadist
## a logical vector with one entry per component: true makes the component
## count only whether two values differ.
## @end table
##
## The @var{n} x @var{n} result is
## @code{D(k,l) = sqrt (sum_i sum_@{c in component i@} term_i(c))} with
## @code{term_i(c) = (X(k,c) - X(l,c))^2 / l_i^2}, or for a delta component
## @code{1 / l_i^2} when the two values differ or either is NaN.  A column
## listed twice counts twice.  @var{D} is exactly symmetric with a zero
## diagonal.  No randomness is involved.
##
## Threads: the work is shared by worker threads, as many as the environment
## variable @env{SAMPLEKIT_THREADS} says (a whole number from 1 to 1024) or,
## when it is unset or empty, as many as the cores Octave may run on (at most
## 64); small inputs stay on one thread.  The result is the same, bit for bit,
## for every thread count.  Any other value of the variable raises
## "SAMPLEKIT_THREADS must be a whole number from 1 to 1024, or unset.".
##
## Errors, in the order checked: "Wrong number of output arguments.",
## "Wrong number of input arguments.", "Could not get metric.type",
## "metric.type must be a string.", "Wrong type of metric.", "Could not get
## metric.lengthScale", "metric.lengthScale must be a scalar or a vector.",
## "Could not get metric.components", "metric.components must be a one
## dimensional cell array.", "metric.lengthScale must be scalar or its
## lenght must be the same as the number of components.", "Could not get
## metric.deltadist", "metric.deltadist must be a logical vector.",
## "metric.logical must be of the same length as the number of components.",
## then "X must be a real double array.", "Each cell of metric.components
## must hold a real double vector." and "Column numbers in metric.components
## must lie between 1 and the number of columns of X.".
##
## @example
## metric = struct ("type", "metric_euclidean", "lengthScale", [1 2], ...
##                  "components", @{@{1, [2 3]@}@}, "deltadist", [false true]);
## D = metric_distance_matrix (metric, rand (5, 3));
## @end example
## @end deftypefn

%!shared m
%! m = struct ("type", "metric_euclidean", "lengthScale", 2, ...
%!             "components", {{[1 2]}}, "deltadist", false);
%!assert (metric_distance_matrix (m, [0 0; 3 4]), [0 2.5; 2.5 0])
%!assert (metric_distance_matrix (m, [1 2]), 0)
%!assert (metric_distance_matrix (m, zeros (0, 2)), zeros (0, 0))
%!error <Wrong number of output arguments\.> metric_distance_matrix (m, [1 2])
%!error <Wrong number of input arguments\.> d = metric_distance_matrix (m)
%!error <Wrong type of metric\.> d = metric_distance_matrix (setfield (m, "type", "Metric_euclidean"), 1)

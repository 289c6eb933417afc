// What every samplekit plug-in needs from Octave beyond mex.h: the fixed
// messages, argument-count and class checks, safe conversion of sizes to
// 32-bit counts, the shared output-size rules and whole-array host draws.
//
// Every check raises through mexErrMsgIdAndTxt, which does not return:
// Octave throws the error as a C++ exception that unwinds the call. The
// helpers build their texts in fixed buffers, so that they own nothing
// then. What a plug-in may hold when it raises: host arrays (the host
// reclaims them when the call ends) and the guards that restore host state
// as the call unwinds, a host_stream_scope (host_stream.h), which settles
// Octave's generators, and the join of worker threads (threads.h). Nothing
// else with a destructor: memory of its own would not be reclaimed.
#pragma once

#include <cstdint>

#include "mex.h"

// Each fixed text lives here once, so a typo cannot fork it.
inline constexpr const char* msg_too_many_outputs = "Too many output arguments.";
inline constexpr const char* msg_wrong_input_count = "Wrong number of input arguments.";
inline constexpr const char* msg_size_inconsistent = "Size information is inconsistent.";
inline constexpr const char* msg_size_range =
    "Size arguments must be finite and non-negative, with fewer than 2^31 elements in all.";
inline constexpr const char* msg_size_empty = "Size arguments must not be empty.";
inline constexpr const char* msg_b_not_scalar = "B must be a scalar.";
// Endings of fail_named texts: "<name> must be a scalar." and so on.
inline constexpr const char* msg_not_scalar = " must be a scalar.";
inline constexpr const char* msg_too_many_dims = " must have at most two dimensions.";

// An output size whose element count is known to fit an int32_t.
struct output_size {
  int32_t rows;
  int32_t cols;
};

// A parameter that is either one value for every output element or an
// array supplying the value at each storage position.
struct param_source {
  const double* values;  // null for a one-value parameter
  double scalar;
};

// Raises `text` with the identifier samplekit:<this function>:<reason>.
[[noreturn]] void fail(const char* reason, const char* text);
// Raises "<name><what>", e.g. name "nu" and what " must be a real number.".
[[noreturn]] void fail_named(const char* reason, const char* name, const char* what);

void require_outputs_at_most(int nlhs, int most);
void require_input_count(bool accepted);

int64_t rows_of(const mxArray* a);
int64_t cols_of(const mxArray* a);
int64_t count_of(const mxArray* a);  // rows * columns, further dimensions ignored
// At most one row and at most one column: 1 x 1, or one of the empty shapes.
bool is_scalar_shape(const mxArray* a);

// Real numeric or logical, neither complex nor sparse: a number or a size.
bool is_real_number_class(const mxArray* a);
// Real, non-sparse double: safe to read rows * columns doubles from mxGetPr.
bool is_real_double(const mxArray* a);
void require_real_double(const mxArray* a, const char* name);
// Reads one value from a real numeric or logical argument; refuses empty ones.
double read_scalar_param(const mxArray* a, const char* name);
// Reads a size argument truncated toward zero (still a double: it may be
// NaN, infinite or out of range until checked_size has looked at it).
double read_size_arg(const mxArray* a, const char* name);
// Converts two dimensions to 32-bit counts, refusing what does not fit.
output_size checked_size(double rows, double cols);

// A parameter that the output reads: an array argument element by element,
// a scalar argument once. Its class is checked whatever the output's size;
// no value is read when the output has no elements.
param_source read_param(const mxArray* a, const char* name, int32_t count);
inline double param_at(const param_source& p, int32_t i) {
  return p.values != nullptr ? p.values[i] : p.scalar;
}

// Output size of draws with `nparams` parameters, (P1, ..., Pk),
// (P1, ..., Pk, M, N) or (P1, ..., Pk, [M N]), and first the input count
// that these forms allow ("Wrong number of input arguments." otherwise).
// [M N] is a size vector: real numeric or logical, not complex, not
// sparse, 1 x 2 or 2 x 1, as Octave's rand ([M N]) takes it; any other
// single argument after the parameters leaves the input count wrong.
// Every array parameter (one with more than one row or column) must have
// the shape of the first, "Size information is inconsistent." otherwise.
// Without a size the output takes that shape, or with no array parameter
// the shape of the last parameter; with one, every array parameter must be
// M x N.
output_size params_size(int nparams, int nrhs, const mxArray* prhs[]);
// The argument rules of the plug-ins beyond the original seventeen, which
// use no part of an argument silently, checked before their size rule:
// with one argument after the `nparams` parameters it must be [M N] ("The
// size must be M and N, or one vector [M N]."), M and N given apart must
// be scalars ("M must be a scalar.", "N must be a scalar."), and every
// parameter must be real double, scalar or not ("NAME must be a real
// double array."), with at most two dimensions ("NAME must have at most
// two dimensions."); sizes and counts may be of any real numeric or
// logical class, as for rand. The original plug-ins read a parameter's
// rows and columns only, take a scalar one of any real numeric class, and
// count a malformed size as a wrong number of inputs.
enum class argument_rules : int { rows_columns, whole };
void require_whole_arguments(int nparams, int nrhs, const mxArray* prhs[], const char* const names[]);

// Output size of the two-parameter draws: (P1, P2), (P1, P2, M, N) or
// (P1, P2, [M N]).
output_size two_param_size(int nrhs, const mxArray* prhs[]);
// Output size of the one-parameter draws: (P), (P, M, N) or (P, [M N]).
output_size one_param_size(int nrhs, const mxArray* prhs[]);

// Everything an array draw needs before its output exists, checked in order:
// at most one output, the input count and the size rule, the parameters.
struct two_param_call {
  output_size size;
  int32_t count;
  param_source first;
  param_source second;
};
two_param_call read_two_param_call(int nlhs, int nrhs, const mxArray* prhs[],
                                   const char* first, const char* second,
                                   argument_rules rules = argument_rules::rows_columns);

// The same for draws with `nparams` parameters, up to max_params:
// (P1, ..., Pk), (P1, ..., Pk, M, N) or (P1, ..., Pk, [M N]), the k-th
// named names[k] in messages.
inline constexpr int max_params = 4;
struct params_call {
  output_size size;
  int32_t count;
  param_source params[max_params];
};
params_call read_params_call(int nlhs, int nrhs, const mxArray* prhs[], int nparams,
                             const char* const names[],
                             argument_rules rules = argument_rules::rows_columns);

struct one_param_call {
  output_size size;
  int32_t count;
  param_source param;
};
one_param_call read_one_param_call(int nlhs, int nrhs, const mxArray* prhs[], const char* name);

// The single draws: exactly two inputs (checked before the output count),
// each contributing its first element.
struct two_scalars {
  double first;
  double second;
};
two_scalars read_two_scalars(int nlhs, int nrhs, const mxArray* prhs[], const char* first,
                             const char* second);

// A fresh rows x cols array of the host's `function` ("rand" or "randn"):
// the values and the generator's final state of one call FUNCTION (M, N).
// Octave's builtin fills it in process (host_stream.cpp); a user's function
// on the path is called by name and its result checked to be a real double
// array of that size. Interruptible between chunks of a few milliseconds:
// the generator is then left after the values drawn so far.
mxArray* host_draw_array(const char* function, output_size size);
// Raises "The host's <function> returned an unexpected result.".
[[noreturn]] void fail_host_result(const char* function);
// fail_host_result unless every value is one that `function` can return:
// rand's in [0, 1) (Octave's own never 0; a scripted 0 is a boundary some
// tests need), randn's finite. For values a user's function gave: a NaN
// would otherwise run a rejection loop to its trial limit, element after
// element.
void require_host_values(const char* function, const double* values, int64_t count);

// Whether `function` ("rand" or "randn") resolves to Octave's builtin rather
// than to a user's function on the path (one host "exist" call).
bool is_host_builtin(const char* function);
// Octave's answer to rand ("seed"): the older generator's seed, which a draw
// moves only while that generator is in use. NaN when there is no such
// answer.
double old_generator_seed(const char* function);

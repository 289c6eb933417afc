// Y = simplex_weight_draws (A)
// Y = simplex_weight_draws (A, B)
//
// B independent points uniform on the probability simplex with A
// coordinates, one per column of the A x B result (Dirichlet(1, ..., 1)):
// each column holds the normalised exponentials -log(u) of its own A
// uniforms, all taken from one host rand (A, B) call in storage order.
// Groups of columns go to the worker threads; a few long columns have
// their logarithms taken by ranges instead.
#include <algorithm>
#include <cmath>

#include "../bootstrap/dirichlet.h"
#include "../host/threads.h"

namespace {

// Worker threads: one per 24,000 coordinates (a logarithm, a sum and a
// division take about 4 ns; see threads_for).
constexpr double break_even_elements = 24000;
constexpr int64_t chunk_elements = 16384;

double read_count(const mxArray* a, const char* shape_message, const char* name) {
  if (!is_scalar_shape(a)) fail("notScalar", shape_message);
  return read_size_arg(a, name);
}

// Each column's sum runs in index order from 0, as e + S, and the column
// is normalised after the whole of it is summed. A long column is summed
// in stretches, with a look for Ctrl-C after each.
double column_total(const double* exponentials, int32_t rows) {
  double total = 0;
  for (int64_t begin = 0; begin < rows; begin += chunk_elements) {
    const int64_t end = std::min<int64_t>(rows, begin + chunk_elements);
    for (int64_t i = begin; i < end; ++i) total = exponentials[i] + total;
    leave_if_interrupted();
  }
  return total;
}

void normalise(double* column, int32_t rows, double total) {
  for (int32_t i = 0; i < rows; ++i) column[i] = column[i] / total;
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  require_outputs_at_most(nlhs, 1);
  require_input_count(nrhs >= 1 && nrhs <= 2);
  const double coordinates = read_count(prhs[0], "First argument must be a scalar.", "A");
  const double points = nrhs == 2 ? read_count(prhs[1], "Second argument must be a scalar.", "B") : 1;
  const output_size size = checked_size(coordinates, points);
  const int32_t threads = thread_count();

  plhs[0] = host_draw_array("rand", size);
  double* draws = mxGetPr(plhs[0]);
  const int64_t count = static_cast<int64_t>(size.rows) * size.cols;
  const int32_t used = threads_for(threads, static_cast<double>(count), break_even_elements);
  const int32_t rows = size.rows;
  if (size.cols >= 2 * used) {
    const int64_t group = std::max<int64_t>(1, chunk_elements / std::max(rows, 1));
    run_in_chunks(used, size.cols, group, [=](int64_t first, int64_t end) {
      for (double* column = draws + first * rows; column != draws + end * rows; column += rows)
        normalise(column, rows, exponentials_in_place(column, rows, nullptr));
    });
    return;
  }
  // Few long columns: the logarithms by ranges, then each column's sum in
  // order on the calling thread, then the divisions by ranges.
  run_in_chunks(used, count, chunk_elements, [=](int64_t begin, int64_t end) {
    for (int64_t i = begin; i < end; ++i) draws[i] = -std::log(draws[i]);
  });
  for (int32_t c = 0; c < size.cols; ++c) {
    double* column = draws + static_cast<int64_t>(c) * rows;
    const double total = column_total(column, rows);
    run_in_chunks(used, rows, chunk_elements,
                  [=](int64_t begin, int64_t end) { normalise(column + begin, static_cast<int32_t>(end - begin), total); });
  }
}

// Y = simplex_weight_draws (A)
// Y = simplex_weight_draws (A, B)
//
// B independent points uniform on the probability simplex with A
// coordinates, one per column of the A x B result (Dirichlet(1, ..., 1)):
// each column holds the normalised exponentials -log(u) of its own A
// uniforms, all taken from one host rand (A, B) call in storage order.
#include "../bootstrap/dirichlet.h"

namespace {

double read_count(const mxArray* a, const char* shape_message, const char* name) {
  if (!is_scalar_shape(a)) fail("notScalar", shape_message);
  return read_size_arg(a, name);
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  require_outputs_at_most(nlhs, 1);
  require_input_count(nrhs >= 1 && nrhs <= 2);
  const double coordinates = read_count(prhs[0], "First argument must be a scalar.", "A");
  const double points = nrhs == 2 ? read_count(prhs[1], "Second argument must be a scalar.", "B") : 1;
  const output_size size = checked_size(coordinates, points);

  plhs[0] = host_draw_array("rand", size);
  double* column = mxGetPr(plhs[0]);
  for (int32_t c = 0; c < size.cols; ++c, column += size.rows) {
    // Normalised after the whole column is summed.
    const double total = exponentials_in_place(column, size.rows, nullptr);
    for (int32_t i = 0; i < size.rows; ++i) column[i] = column[i] / total;
  }
}

// The table mcmc_summary prints when no output is asked for: one aligned
// row per variable, the columns of its result, and a mark on every row
// whose chains have not converged by the paper's thresholds.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "mex.h"
#include "summary_table.h"

namespace {

constexpr int cell_chars = 32;
constexpr const char* mark = "  *";

// Octave's spelling of the values that are not finite.
void format_cell(char* cell, double v, int column) {
  if (std::isnan(v)) std::snprintf(cell, cell_chars, "NaN");
  else if (std::isinf(v)) std::snprintf(cell, cell_chars, v > 0 ? "Inf" : "-Inf");
  else if (column == col_rhat) std::snprintf(cell, cell_chars, "%.3f", v);
  else if (column == col_ess_bulk || column == col_ess_tail) std::snprintf(cell, cell_chars, "%.0f", v);
  else {
    // Four significant digits, trailing zeros kept so that a column reads
    // evenly, but no bare decimal point.
    std::snprintf(cell, cell_chars, "%#.4g", v);
    const size_t end = std::strlen(cell);
    if (end > 0 && cell[end - 1] == '.') cell[end - 1] = '\0';
  }
}

// Characters on the screen: the bytes of UTF-8 that start a character.
int64_t screen_width(const char* text) {
  int64_t width = 0;
  for (const char* c = text; *c != '\0'; ++c) width += (static_cast<unsigned char>(*c) & 0xC0) != 0x80;
  return width;
}

void print_padded(const char* text, int64_t width, bool left) {
  const int64_t pad = width - screen_width(text);
  if (!left) mexPrintf("%*s", static_cast<int>(pad > 0 ? pad : 0), "");
  mexPrintf("%s", text);
  if (left) mexPrintf("%*s", static_cast<int>(pad > 0 ? pad : 0), "");
}

}  // namespace

bool needs_attention(const double* row, int64_t chains) {
  const double least_ess = 100.0 * chains;
  return row[col_rhat] > max_rhat || row[col_ess_bulk] < least_ess || row[col_ess_tail] < least_ess;
}

void print_summary(const double* rows, int64_t variables, const char* const* names, int64_t chains) {
  int64_t widths[summary_columns + 1];
  widths[0] = std::strlen("variable");
  for (int c = 0; c < summary_columns; ++c) widths[c + 1] = std::strlen(summary_column_names[c]);
  char cell[cell_chars];
  bool marked = false;
  for (int64_t v = 0; v < variables; ++v) {
    if (screen_width(names[v]) > widths[0]) widths[0] = screen_width(names[v]);
    for (int c = 0; c < summary_columns; ++c) {
      format_cell(cell, rows[v * summary_columns + c], c);
      if (static_cast<int64_t>(std::strlen(cell)) > widths[c + 1]) widths[c + 1] = std::strlen(cell);
    }
    marked = marked || needs_attention(rows + v * summary_columns, chains);
  }
  mexPrintf("  ");
  print_padded("variable", widths[0], true);
  for (int c = 0; c < summary_columns; ++c) {
    mexPrintf("  ");
    print_padded(summary_column_names[c], widths[c + 1], false);
  }
  mexPrintf("\n");
  for (int64_t v = 0; v < variables; ++v) {
    mexPrintf("  ");
    print_padded(names[v], widths[0], true);
    for (int c = 0; c < summary_columns; ++c) {
      format_cell(cell, rows[v * summary_columns + c], c);
      mexPrintf("  ");
      print_padded(cell, widths[c + 1], false);
    }
    mexPrintf("%s\n", needs_attention(rows + v * summary_columns, chains) ? mark : "");
  }
  if (marked)
    mexPrintf("  *: R-hat above %.2f, or bulk or tail ESS below %lld (100 per chain): not converged yet,\n"
              "     or too few effective draws; run the chains longer before trusting these estimates.\n",
              max_rhat, static_cast<long long>(100 * chains));
}

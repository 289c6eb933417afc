# samplekit: compiled random-variate, resampling and bootstrap plug-ins for GNU Octave.
#
#   make             build every module into build/ (installs Octave if it is missing)
#   make test        build and run the whole suite
#   make demo        run the main example
#   make SAN=1 test  the same suite against an AddressSanitizer + UBSan build in build-san/
#   make fuzz        malformed calls from a seeded generator (SAN=1 for the sanitizer build)
#   make clean

SHELL := /bin/bash
MKOCTFILE ?= mkoctfile
OCTAVE ?= octave-cli
OCTAVE_RUN := $(OCTAVE) --no-history -q
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

ifeq ($(SAN),1)
BUILD := build-san
SANITIZE := -fsanitize=address,undefined,float-cast-overflow
export CXXFLAGS := -std=c++17 -g -O1 -fno-omit-frame-pointer $(SANITIZE) -fno-sanitize-recover=all -Wall -Wextra
export LDFLAGS := $(SANITIZE)
# Octave itself is not leak-clean at exit, so only our own errors are reported.
RUN_ENV := LD_PRELOAD="$$(g++ -print-file-name=libasan.so)" ASAN_OPTIONS=detect_leaks=0 \
           UBSAN_OPTIONS=print_stacktrace=1
else
BUILD := build
export CXXFLAGS := -std=c++17 -O2 -Wall -Wextra
RUN_ENV :=
endif

# Modules that link the random variate library.
RV_MODULES := scaled_invchi2_draws scaled_invchi2_draw mean_dof_gamma_draws mean_dof_gamma_draw \
              student_t_draws
ARS_MODULES := gig_ars_draw
RESAMPLING_MODULES := resample_multinomial resample_residual resample_stratified \
                      resample_deterministic
DIRICHLET_MODULES := bayes_boot_mean bayes_boot_percentiles simplex_weight_draws
PLAIN_MODULES := exponential_draws tanh_array metric_distance_matrix
SPECIAL_MODULES := digamma_array
MODULES := $(RV_MODULES) $(ARS_MODULES) $(RESAMPLING_MODULES) $(DIRICHLET_MODULES) \
           $(PLAIN_MODULES) $(SPECIAL_MODULES)

# Test-only modules: built from tests/ sources for the suite, never installed.
TEST_MODULES := rv_harness ars_harness

HEADERS := $(wildcard src/*/*.h)
vpath %.cpp src/draws src/ars src/bootstrap src/resampling src/special src/metric tests/harness

RV_LIB := $(BUILD)/librandom_variates.a
ARS_OBJ := $(BUILD)/obj/ars/ars.o
DIRICHLET_OBJ := $(BUILD)/obj/bootstrap/dirichlet.o
RESAMPLING_OBJ := $(BUILD)/obj/resampling/resampling.o $(BUILD)/obj/resampling/binsgeq.o
HOST_LIB := $(BUILD)/libhost.a

# Extra objects each module links, besides the host library.
$(foreach m,$(RV_MODULES),$(eval LINK_$(m) := $(RV_LIB)))
$(foreach m,$(ARS_MODULES),$(eval LINK_$(m) := $(ARS_OBJ) $(RV_LIB)))
$(foreach m,$(RESAMPLING_MODULES),$(eval LINK_$(m) := $(RESAMPLING_OBJ)))
$(foreach m,$(DIRICHLET_MODULES),$(eval LINK_$(m) := $(DIRICHLET_OBJ)))
LINK_digamma_array := $(BUILD)/obj/special/digamma.o
LINK_rv_harness := $(RV_LIB)
LINK_ars_harness := $(ARS_OBJ) $(RV_LIB)

FUZZ_SEED ?= 1
FUZZ_CALLS ?= 20000

.PHONY: all test demo clean deps fuzz memcheck
all: $(MODULES:%=$(BUILD)/%.mex) $(MODULES:%=$(BUILD)/%.m)

deps:
	@command -v $(MKOCTFILE) >/dev/null 2>&1 || { \
	  echo "mkoctfile not found: installing octave and liboctave-dev with apt-get"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq octave liboctave-dev; }

$(BUILD)/obj/%.o: src/%.cpp $(HEADERS) | deps
	@mkdir -p $(dir $@)
	$(MKOCTFILE) -c -o $@ $<

$(HOST_LIB): $(BUILD)/obj/host/host.o
	ar rcs $@ $^

$(RV_LIB): $(BUILD)/obj/random_variates/random_variates.o
	ar rcs $@ $^

# Objects are kept between builds rather than treated as intermediates.
.SECONDARY:
.SECONDEXPANSION:
$(BUILD)/%.mex: %.cpp $$(LINK_$$*) $(HOST_LIB) $(HEADERS) | deps
	$(MKOCTFILE) --mex -o $@ $< $(LINK_$*) $(HOST_LIB)

$(BUILD)/%.m: inst/%.m
	@mkdir -p $(BUILD)
	cp $< $@

test: all $(TEST_MODULES:%=$(BUILD)/tests/%.mex)
	$(RUN_ENV) SAMPLEKIT_BUILD=$(BUILD) $(OCTAVE_RUN) tests/run_tests.m

$(BUILD)/tests/%.mex: %.cpp $$(LINK_$$*) $(HOST_LIB) $(HEADERS) | deps
	@mkdir -p $(dir $@)
	$(MKOCTFILE) --mex -o $@ $< $(LINK_$*) $(HOST_LIB)

# Malformed calls from a seeded generator, in child processes with a time
# limit: crashes, hangs and insane results are counted and named.
fuzz: all
	$(RUN_ENV) tests/fuzz/run_fuzz $(BUILD) $(FUZZ_SEED) $(FUZZ_CALLS)

# Resident memory over 100,000 calls of each plug-in (half of them malformed).
memcheck: all
	$(OCTAVE_RUN) --eval "addpath ('$(BUILD)', 'tests/memory'); flat_memory ()"

demo: all
	$(OCTAVE_RUN) examples/demo.m

clean:
	rm -rf build build-san

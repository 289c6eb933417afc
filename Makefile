# samplekit: compiled random-variate, resampling and bootstrap plug-ins for GNU Octave.
#
#   make             build every module into build/ (installs Octave if it is missing)
#   make test        build and run the whole suite
#   make digests     rewrite tests/digests.txt (only when an output is meant to change)
#   make demo        run the main example; make examples runs them all
#   make SAN=1 test  the same suite against an AddressSanitizer + UBSan build in build-san/
#   make fuzz        malformed calls from a seeded generator (SAN=1 for the sanitizer build)
#   make bench       timings against Octave's own functions
#   make bench-gamma the batched gamma kernel against rand_gamma per element
#   make memcheck    resident memory over 100,000 calls of each plug-in
#   make dist        the Octave package samplekit-VERSION.tar.gz; make pkgcheck installs and tests it
#   make mexcheck    build with samplekit_build.m (Octave's mex) and run the suite on that build
#   make compat      test, pkgcheck and examples on Debian 13's and Debian sid's Octave, in chroots (root)
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
# Recording a stack at every allocation doubled the time of Octave's own
# interpreter here (it allocates on every call); a report still gives the
# stack of the bad access, only not that of where the block was allocated.
RUN_ENV := LD_PRELOAD="$$(g++ -print-file-name=libasan.so)" ASAN_OPTIONS=detect_leaks=0:malloc_context_size=0 \
           UBSAN_OPTIONS=print_stacktrace=1
else
BUILD := build
export CXXFLAGS := -std=c++17 -O2 -Wall -Wextra
RUN_ENV :=
endif
# Our bits rely on each product being rounded before its sum: no FMA, also
# under a CXXFLAGS of the user's such as -march=native.
override CXXFLAGS += -ffp-contract=off

include src/modules.mk
MODULES := $(strip $(foreach s,$(SECTIONS),$(MODULES_$(s))))
# Functions written in Octave itself, installed beside the modules.
M_FUNCTIONS := $(strip $(foreach s,$(SECTIONS),$(FUNCTIONS_$(s))))

# Test-only modules: built from tests/ sources for the suite, never installed.
TEST_MODULES := rv_harness ars_harness stream_harness thread_harness gamma_batch_harness
# Test-only builds of plug-ins with a difference planted in the host layer.
PLANTED_MODULES := exponential_draws student_t_draws
# Test-only programs, built beside them: the netcellfun run's stand-in server.
TEST_PROGRAMS := $(BUILD)/tests/pserver_stand_in

HEADERS := $(wildcard src/*/*.h src/*/*.inc)
vpath %.cpp $(sort $(dir $(wildcard src/*/*.cpp))) tests/harness

# The objects a module links besides its own source: the table's sources
# compiled once each, the same set that the package's build links.
objects = $(patsubst %.cpp,$(BUILD)/obj/%.o,$(1))
HOST_OBJECTS := $(call objects,$(HOST_SOURCES))
module_objects = $(call objects,$(LINK_$(1))) $(HOST_OBJECTS)
# The test-only modules' own links.
TEST_LINK_rv_harness := $(RANDOM_VARIATES) $(GAMMA_RUN)
TEST_LINK_gamma_batch_harness := random_variates/gamma_batch.cpp random_variates/gamma_trials.cpp
TEST_LINK_ars_harness := $(LINK_gig_ars_draw)
test_objects = $(call objects,$(TEST_LINK_$(1))) $(HOST_OBJECTS)

VERSION := $(shell sed -n 's/^Version: *//p' DESCRIPTION)
PACKAGE := samplekit-$(VERSION)

FUZZ_SEED ?= 1
FUZZ_CALLS ?= 20000

.PHONY: all test demo examples plot-deps parallel-deps bench clean deps fuzz memcheck dist pkgcheck mexcheck digests compat \
        module-table
all: $(MODULES:%=$(BUILD)/%.mex) $(MODULES:%=$(BUILD)/%.m) $(M_FUNCTIONS:%=$(BUILD)/%.m)

# Octave and its development files (mkoctfile, the headers), from Debian.
deps:
	@command -v $(MKOCTFILE) >/dev/null 2>&1 && command -v $(OCTAVE) >/dev/null 2>&1 || \
	  tools/apt_install "mkoctfile or octave-cli not found, and the modules are built with them" \
	    octave "octave-dev|liboctave-dev"

$(BUILD)/obj/%.o: src/%.cpp $(HEADERS) | deps
	@mkdir -p $(dir $@)
	$(MKOCTFILE) -c -o $@ $<

# Objects are kept between builds rather than treated as intermediates.
.SECONDARY:
.SECONDEXPANSION:
$(BUILD)/%.mex: %.cpp $$(call module_objects,$$*) $(HEADERS) | deps
	$(MKOCTFILE) --mex -o $@ $< $(call module_objects,$*)

$(BUILD)/%.m: inst/%.m
	@mkdir -p $(BUILD)
	cp $< $@

test: all $(TEST_MODULES:%=$(BUILD)/tests/%.mex) $(PLANTED_MODULES:%=$(BUILD)/tests/planted/%.mex) \
      $(TEST_PROGRAMS) | parallel-deps
	$(RUN_ENV) SAMPLEKIT_BUILD=$(BUILD) $(OCTAVE_RUN) tests/run_tests.m

$(BUILD)/tests/pserver_stand_in: tests/parallel/pserver_stand_in.cpp | deps
	@mkdir -p $(dir $@)
	$(CXX) $(CXXFLAGS) $(LDFLAGS) -o $@ $<

$(BUILD)/tests/%.mex: %.cpp $$(call test_objects,$$*) $(HEADERS) | deps
	@mkdir -p $(dir $@)
	$(MKOCTFILE) --mex -o $@ $< $(call test_objects,$*)

# The host check's test (tests/test_host_check.m): plug-ins built with a
# difference planted in their copy of the twister, which the check must
# find, in a folder of their own.
PLANTED_HOST_OBJECTS := $(filter-out %/twister.o,$(HOST_OBJECTS)) $(BUILD)/obj-planted/host/twister.o
$(BUILD)/obj-planted/host/twister.o: src/host/twister.cpp $(HEADERS) | deps
	@mkdir -p $(dir $@)
	CXXFLAGS="$(CXXFLAGS) -DSAMPLEKIT_PLANTED_FAULT" $(MKOCTFILE) -c -o $@ $<
$(BUILD)/tests/planted/%.mex: %.cpp $$(call objects,$$(LINK_$$*)) $(PLANTED_HOST_OBJECTS) $(HEADERS) | deps
	@mkdir -p $(dir $@)
	$(MKOCTFILE) --mex -o $@ $< $(call objects,$(LINK_$*)) $(PLANTED_HOST_OBJECTS)

# The seeded calls' digests that the suite checks, written from this build.
digests: all
	$(OCTAVE_RUN) --eval "addpath ('$(BUILD)', 'tests/helpers'); write_digests ()"

# The suite runs jobs in other processes through Octave's parallel package
# (parcellfun, and netcellfun against a server on 127.0.0.1 in a private
# network namespace, which takes root and ip). Installed like Octave; where
# that fails, the suite skips those runs and says so.
parallel-deps: | deps
	@missing=""; \
	$(OCTAVE_RUN) --eval 'exit (isempty (pkg ("list", "parallel")))' || missing=" octave-parallel"; \
	[ "$$(id -u)" != 0 ] || command -v ip >/dev/null 2>&1 || missing="$$missing iproute2"; \
	[ -z "$$missing" ] || { \
	  echo "installing$$missing with apt-get, for the suite's parallel runs"; \
	  { $(SUDO) apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; } || \
	  echo "could not install$$missing: the suite skips the runs that need it"; }

# Malformed calls from a seeded generator, in child processes with a time
# limit: crashes, hangs and insane results are counted and named.
fuzz: all
	$(RUN_ENV) tests/fuzz/run_fuzz $(BUILD) $(FUZZ_SEED) $(FUZZ_CALLS)

# Resident memory over 100,000 calls of each plug-in (half of them malformed).
memcheck: all
	$(OCTAVE_RUN) --eval "addpath ('$(BUILD)', 'tests/memory'); flat_memory ()"

# Each function against the best Octave way to do the same job, and the
# job's limit timed by a bench-only module.
bench: all $(BUILD)/bench/bench_limit.mex $(BUILD)/bench/bench_empty.mex $(BUILD)/bench/bench_host_values.mex | bench-deps
	$(OCTAVE_RUN) bench/run_bench.m

# The peers of one weighted_sample row (randsample) and of the Wishart rows
# (wishrnd, iwishrnd) are in Octave's statistics package. Where it cannot
# be installed, make bench still runs and those rows have no peer.
.PHONY: bench-deps
bench-deps: | deps
	@$(OCTAVE_RUN) --eval 'exit (isempty (pkg ("list", "statistics")))' || \
	  tools/apt_install "make bench times weighted_sample and the Wishart draws against the statistics package" \
	    octave-statistics || \
	  echo "bench-deps: could not install octave-statistics: the randsample and Wishart rows have no peer"

# The batched gamma kernel against rand_gamma one element at a time, on the
# same uniforms drawn beforehand (not part of make bench).
.PHONY: bench-gamma
bench-gamma: $(BUILD)/bench/gamma_batch_bench.mex
	$(OCTAVE_RUN) bench/gamma_batch_bench.m

GAMMA_BENCH_OBJECTS := $(call objects,$(RANDOM_VARIATES) $(TEST_LINK_gamma_batch_harness)) $(HOST_OBJECTS)
$(BUILD)/bench/gamma_batch_bench.mex: bench/gamma_batch_bench.cpp $(GAMMA_BENCH_OBJECTS) $(HEADERS) | deps
	@mkdir -p $(dir $@)
	$(MKOCTFILE) --mex -o $@ $< $(GAMMA_BENCH_OBJECTS)

$(BUILD)/bench/bench_empty.mex: bench/bench_empty.cpp | deps
	@mkdir -p $(dir $@)
	$(MKOCTFILE) --mex -o $@ $<

$(BUILD)/bench/bench_host_values.mex: bench/bench_host_values.cpp $(HOST_OBJECTS) $(HEADERS) | deps
	@mkdir -p $(dir $@)
	$(MKOCTFILE) --mex -o $@ $< $(HOST_OBJECTS)

# Standalone: it shares no code with the plug-ins. Built for throughput
# (-O3 vectorises its loops; dropping errno for sqrt changes no value).
BENCH_LIMIT_SOURCES := bench/bench_limit.cpp bench/limit_gamma.cpp bench/limit_trials.cpp
$(BUILD)/bench/bench_limit.mex: $(BENCH_LIMIT_SOURCES) bench/limit_gamma.h | deps
	@mkdir -p $(dir $@)
	CXXFLAGS="$(CXXFLAGS) -O3 -fno-math-errno" $(MKOCTFILE) --mex -o $@ $(BENCH_LIMIT_SOURCES)

# The Octave package: the tracked sources under src/, each module's help file
# in src/help/ (the package build puts it beside its module), pkg/Makefile
# as src/Makefile, and, written from the module table, the package's INDEX,
# src/FILES naming the modules for pkg to install and inst/PKG_DEL, which
# releases every module when the package is unloaded, so that a later load
# (or a reinstall) picks up fresh copies.
comma := ,
empty :=
space := $(empty) $(empty)
dist:
	rm -rf build/dist && mkdir -p build/dist/$(PACKAGE)/src/help build/dist/$(PACKAGE)/inst
	git ls-files src | xargs -I{} cp --parents {} build/dist/$(PACKAGE)/
	cp DESCRIPTION NEWS COPYING build/dist/$(PACKAGE)/
	{ echo "samplekit >> $(PACKAGE_TITLE)"; \
	  $(foreach s,$(SECTIONS),echo "$(TITLE_$(s))"; printf ' %s\n' $(MODULES_$(s)) $(FUNCTIONS_$(s));) } \
	  > build/dist/$(PACKAGE)/INDEX
	cp pkg/Makefile build/dist/$(PACKAGE)/src/Makefile
	printf '%s\n' '## Unloading samplekit: release every module.' \
	  'for samplekit_module = {$(subst $(space),$(comma) ,$(MODULES:%="%"))}' \
	  '  clear (samplekit_module{1});' 'endfor' 'clear samplekit_module' > build/dist/$(PACKAGE)/inst/PKG_DEL
	cp $(M_FUNCTIONS:%=inst/%.m) build/dist/$(PACKAGE)/inst/
	cp $(MODULES:%=inst/%.m) build/dist/$(PACKAGE)/src/help/
	printf '%s.mex\n' $(MODULES) > build/dist/$(PACKAGE)/src/FILES
	tar -czf $(PACKAGE).tar.gz -C build/dist $(PACKAGE)
	@echo "built $(PACKAGE).tar.gz"

# Installs the tarball with pkg into a temporary prefix, then loads it, reads
# every function's help, runs pkg test and unloads it.
pkgcheck: dist
	$(OCTAVE_RUN) --eval "addpath ('$(CURDIR)/tests/package'); \
	  check_package ('$(CURDIR)/$(PACKAGE).tar.gz', strsplit ('$(MODULES)'), strsplit ('$(M_FUNCTIONS)'))"

# The module table as make reads it, for the suite's check of every list
# that names the modules (tests/test_module_table.m).
module-table:
	@echo "MODULES $(MODULES)"; echo "FUNCTIONS $(M_FUNCTIONS)"

# The modules built by samplekit_build.m (Octave's mex, no make) pass the suite.
mexcheck: $(TEST_MODULES:%=$(BUILD)/tests/%.mex) $(PLANTED_MODULES:%=$(BUILD)/tests/planted/%.mex) \
          $(TEST_PROGRAMS)
	rm -rf build/mex
	$(OCTAVE_RUN) --eval "samplekit_build ('$(CURDIR)/build/mex')"
	SAMPLEKIT_BUILD=build/mex SAMPLEKIT_TEST_MODULES=$(BUILD)/tests $(OCTAVE_RUN) tests/run_tests.m

# The examples draw their figures with gnuplot, which needs no display, and
# save them as PNG through Ghostscript; Debian's Octave lays out every text
# of a figure with FreeSans, which an Octave installed without its
# recommended packages lacks. A failed install here does not stop the
# build: the examples' numbers need none of these.
FREESANS := /usr/share/fonts/opentype/freefont/FreeSans.otf
plot-deps:
	@need=; command -v gnuplot >/dev/null 2>&1 || need=gnuplot-nox; \
	  command -v gs >/dev/null 2>&1 || need="$$need ghostscript"; \
	  [ -e $(FREESANS) ] || need="$$need fonts-freefont-otf"; \
	  [ -z "$$need" ] || tools/apt_install "the examples' figures need gnuplot, Ghostscript and FreeSans" $$need || \
	  echo "plot-deps: could not install$$need: figures that need it cannot be drawn"

# The main example: five resampling schemes in a particle filter. Where the
# plotting packages cannot be installed it still runs, prints its numbers
# and says which figures it skips.
demo: all
	@$(MAKE) --no-print-directory plot-deps || echo "plotting packages not installed: the demo draws no figures"
	$(OCTAVE_RUN) examples/particle_filter.m

# Every example, checking that each saves its figures.
examples: all plot-deps
	$(OCTAVE_RUN) examples/run_examples.m

# make test, make pkgcheck and make examples on the Octave of Debian 13 and
# on the newest one in Debian's development branch, each in a fresh clone of
# HEAD inside a chroot kept in COMPAT_CACHE (made when missing: about three
# minutes each); the Debian 13 check starts from a machine without Octave
# and runs the README's commands. Root only; see tests/compat/run_compat.
COMPAT_CACHE ?= /var/cache/samplekit-compat
compat:
	COMPAT_CACHE=$(COMPAT_CACHE) tests/compat/run_compat

clean:
	rm -rf build build-san

# Meridexa: `make run` builds and starts the program, `make test` builds and runs every test,
# `make dist` makes the release files in dist/. All install what is missing on a Debian machine
# first (see scripts/install-deps.sh).

BUILD   ?= build
NATIVE  := $(BUILD)/native
WIN     := $(BUILD)/win
ASAN    := $(BUILD)/asan
FUZZ    := $(BUILD)/fuzz
# Seconds per fuzz target in `make fuzz` (`make test` gives each a few seconds only).
FUZZ_SECONDS ?= 180
FUZZ_TARGETS := $(patsubst tests/fuzz/fuzz_%.cpp,%,$(wildcard tests/fuzz/fuzz_*.cpp))
JOBS    ?= $(shell nproc)
CMAKE_GEN := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: all run test deps native windows unit e2e soak bench cost asan fuzz-build fuzz-smoke fuzz dist dist-check clean

all: native windows

deps:
	@scripts/install-deps.sh

$(NATIVE)/CMakeCache.txt:
	cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(WIN)/CMakeCache.txt:
	cmake -S . -B $(WIN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake

# The unit tests once more under AddressSanitizer and UndefinedBehaviorSanitizer: any finding
# fails its test. Only the unit-test executable is built.
$(ASAN)/CMakeCache.txt:
	cmake -S . -B $(ASAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 -DMDX_SANITIZE=ON

# libFuzzer targets (tests/fuzz), built with clang and both sanitizers.
$(FUZZ)/CMakeCache.txt:
	cmake -S . -B $(FUZZ) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMDX_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14

native: $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS)

windows: $(WIN)/CMakeCache.txt
	cmake --build $(WIN) -j $(JOBS)

run: deps windows
	scripts/run.sh $(WIN)

unit: native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

# A scenario that fails is run once more and the output keeps both runs: Wine under Xvfb on a
# loaded two-core machine, and the soak's clock at 400 times the speed, fail now and then for
# reasons outside the program. A fault that shows every time still fails; one that needed the
# second run is in the output for people to read.
e2e: windows
	cmake --build $(WIN) --target release_files
	cd $(WIN) && ctest --output-on-failure -j $(JOBS) -LE soak --repeat until-pass:2

# Three simulated days of the real program under accelerated time (about 11 minutes).
soak: deps windows
	cd $(WIN) && ctest --output-on-failure -L soak

test: deps
	$(MAKE) native windows
	$(MAKE) unit
	$(MAKE) asan
	$(MAKE) fuzz-smoke
	$(MAKE) e2e

asan: $(ASAN)/CMakeCache.txt
	cmake --build $(ASAN) -j $(JOBS) --target unit_tests
	cd $(ASAN) && ctest --output-on-failure -j $(JOBS) -L unit

fuzz-build: $(FUZZ)/CMakeCache.txt
	cmake --build $(FUZZ) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))

# Each target over its committed seeds plus a few seconds of fuzzing (CTest label fuzz).
fuzz-smoke: fuzz-build
	cd $(FUZZ) && ctest --output-on-failure -j $(JOBS) -L fuzz

# Each target for FUZZ_SECONDS, one after the other; what they find is kept in
# $(FUZZ)/fuzz-long/<target>/ (new inputs in corpus/, findings as crash-* and the like).
fuzz: fuzz-build
	@for t in $(FUZZ_TARGETS); do \
	  tests/fuzz/run_target.sh $(FUZZ)/fuzz_$$t tests/fuzz/corpus/$$t $(FUZZ)/fuzz-long/$$t $(FUZZ_SECONDS) || exit 1; \
	done

bench: native
	$(NATIVE)/benchmarks

# Idle cost under Wine beside sunclock (about 15 minutes; not part of `make test`).
# COST_SECONDS sets the length of each of the six rounds; COST_BEFORE names an earlier
# Windows build directory to measure beside this one in the same rounds.
COST_SECONDS ?= 120
COST_BEFORE  ?=
cost: deps windows
	bench/cost/measure_idle_cost.sh $(WIN) $(COST_SECONDS) $(COST_BEFORE)

# The portable zip, the installer and SHA256SUMS, dated from the last commit.
dist: deps
	$(MAKE) windows
	packaging/package.sh $(WIN) $(WIN)/dist-stage dist

# Builds the release again in a fresh tree and checks that dist/ comes out byte for byte the same.
dist-check: dist
	tests/packaging/check_reproducible.sh dist $(BUILD)/repro $(JOBS)

clean:
	rm -rf $(BUILD)

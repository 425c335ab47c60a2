# Meridexa: `make run` builds and starts the program, `make test` builds and runs every test.
# Both install what is missing on a Debian machine first (see scripts/install-deps.sh).

BUILD   ?= build
NATIVE  := $(BUILD)/native
WIN     := $(BUILD)/win
JOBS    ?= $(shell nproc)
CMAKE_GEN := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: all run test deps native windows unit e2e soak bench clean

all: native windows

deps:
	@scripts/install-deps.sh

$(NATIVE)/CMakeCache.txt:
	cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(WIN)/CMakeCache.txt:
	cmake -S . -B $(WIN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake

native: $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS)

windows: $(WIN)/CMakeCache.txt
	cmake --build $(WIN) -j $(JOBS)

run: deps windows
	scripts/run.sh $(WIN)

unit: native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

e2e: windows
	cd $(WIN) && ctest --output-on-failure -j $(JOBS) -LE soak

# Three simulated days of the real program under accelerated time (about 10 minutes).
soak: deps windows
	cd $(WIN) && ctest --output-on-failure -L soak

test: deps
	$(MAKE) native windows
	$(MAKE) unit
	$(MAKE) e2e

bench: native
	$(NATIVE)/benchmarks

clean:
	rm -rf $(BUILD)

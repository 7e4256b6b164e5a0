# SPDX-License-Identifier: MIT
# Two commands from nothing to green:
#   make run    install what is missing, build, run the main job on the bundled samples
#   make test   the same build, then the whole test suite
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench sanitize fuzz package clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@if [ ! -f $(BUILD)/build.ninja ]; then \
	  cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS); fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	bash scripts/run-samples.sh $(BUILD)/bin/vandrel $(BUILD)/samples-out

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b; done

# The suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B build-asan -G Ninja -DVANDREL_SANITIZE=ON -DVANDREL_BUILD_BENCH=OFF
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

# libFuzzer targets with clang. Run one on a scratch copy of its seeds (libFuzzer
# writes new inputs into the folder it is given), e.g.
#   cp -r fuzz/corpus/calculator_fuzzer /tmp/c && build-fuzz/bin/calculator_fuzzer -max_total_time=60 /tmp/c
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DVANDREL_FUZZ=ON -DVANDREL_SANITIZE=ON \
	  -DVANDREL_BUILD_TESTS=OFF -DVANDREL_BUILD_BENCH=OFF
	cmake --build build-fuzz -j $(JOBS)

# The Debian packages, built in a tree of their own: build-deb/packages/*.deb.
package: deps
	bash scripts/make-packages.sh build-deb

clean:
	rm -rf $(BUILD) build-asan build-fuzz build-deb

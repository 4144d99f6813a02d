# make run  - install what is missing, build, start Quarry on the demo home
# make test - install what is missing, build, run every test (and again under the sanitizers)
# make bench - build and run the benchmarks against the reference programs

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
DEMO_HOME  ?= $(BUILD)/demo-home
CMAKE_GEN  := -G Ninja
# Optimised without debug information: the tests and benchmarks want speed, and leaving out
# -g shortens the clean build that CI runs by about a fifth.
MAIN_TYPE  := -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG"

.PHONY: run test deps bench-deps build build-asan test-main test-asan bench demo-home clean

run: deps build demo-home
	QUARRY_HOME=$(abspath $(DEMO_HOME)) $(BUILD)/bin/quarry

test: deps build test-main build-asan test-asan

deps:
	@scripts/install-deps.sh

build:
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) $(MAIN_TYPE) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

build-asan:
	@cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	  -DQUARRY_ENGINES_ONLY=ON -DQUARRY_SANITIZE=ON -DQUARRY_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

test-main:
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan:
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# A writable copy of the shipped data; the first start finds no Quarry.ini and restores it.
demo-home:
	@scripts/make-demo-home.sh $(BUILD)/bin $(DEMO_HOME)

bench: bench-deps build
	@scripts/run-benchmarks.sh $(BUILD)

bench-deps:
	@scripts/install-deps.sh --bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)

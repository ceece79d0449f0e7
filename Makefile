# The two everyday commands: `make run` and `make test`.
BUILD       ?= build
ASAN_BUILD  ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD  ?= build-fuzz
CMAKE_ARGS  ?=
JOBS        ?= $(shell nproc)

.PHONY: all deps build run test check-format test-release test-asan bench clean

all: build

deps:
	@scripts/install-deps.sh

# Each folder builds a few large units, one a target, rather than many small
# ones: the Qt headers are read once a unit (CMake's unity build).
$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON $(CMAKE_ARGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)

# Everything, the parts overlapping: see scripts/run-tests.sh.
# The sanitizers' options; programs built without them pass them by.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
                UBSAN_OPTIONS=print_stacktrace=1

test: deps check-format $(BUILD)/build.ninja $(ASAN_BUILD)/build.ninja
	$(SANITIZER_ENV) scripts/run-tests.sh $(BUILD) $(ASAN_BUILD) $(FUZZ_SMOKE_SECONDS)

check-format:
	scripts/check-format.sh

test-release: $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)
	scripts/with-display.sh ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The sanitizer build (clang) holds the fuzz targets too: one build of the
# libraries serves the sanitized tests and the fuzzing smoke run.
$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_UNITY_BUILD=ON \
	    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DMETRIVO_SANITIZE=ON -DMETRIVO_FUZZ=ON \
	    $(CMAKE_ARGS)

test-asan: $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	$(SANITIZER_ENV) scripts/with-display.sh ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# Every build folder the targets here make.
clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)

.PHONY: bench package
$(BENCH_BUILD)/build.ninja:
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DMETRIVO_BUILD_BENCH=ON -DMETRIVO_BUILD_TESTS=OFF $(CMAKE_ARGS)

bench: deps $(BENCH_BUILD)/build.ninja
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	scripts/bench.sh $(BENCH_BUILD)

package: build
	cd $(BUILD) && cpack -G DEB

# Fuzzing with libFuzzer: `make fuzz` runs each target for FUZZ_SECONDS in an
# optimised clang build folder of its own; `make test` runs each for a short
# smoke time in the sanitizer build.
FUZZ_SECONDS ?= 600
FUZZ_SMOKE_SECONDS ?= 10

.PHONY: fuzz test-fuzz
fuzz: deps
	scripts/fuzz.sh $(FUZZ_SECONDS) $(FUZZ_BUILD)

test-fuzz: $(ASAN_BUILD)/build.ninja
	scripts/fuzz.sh $(FUZZ_SMOKE_SECONDS) $(ASAN_BUILD)

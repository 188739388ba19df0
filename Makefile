# SPDX-License-Identifier: MIT
# The README's commands. Each installs what is missing first.
BUILD      := build
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
WIN_BUILD  := build-windows
CMAKE_GEN  := -G Ninja
JOBS       ?= $(shell nproc)

SAN_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1 \
           LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
           UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# Fuzzing: `make fuzz` runs each harness for FUZZ_SECONDS; `make test` runs each for
# FUZZ_SMOKE_SECONDS on the committed corpus.
FUZZ_SECONDS       ?= 600
FUZZ_SMOKE_SECONDS ?= 60

# The window stress test (ctest label "stress") runs apart from the other tests: the test
# command gives it STRESS_SMOKE_ROUNDS steps, `make stress` STRESS_ROUNDS under the sanitizers.
STRESS_SMOKE_ROUNDS ?= 200
STRESS_ROUNDS       ?= 2000

.PHONY: all deps build run test test-format test-release test-package test-asan test-fuzz fuzz \
        fuzz-build stress asan-build bench clean package install sample windows test-windows

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/vantrel

test: test-format test-release test-windows test-package test-asan test-fuzz

# Every C++ file formatted as .clang-format says; the Qt-free libraries' warnings are errors in
# every build (CMakeLists.txt).
test-format: deps
	scripts/check-format.sh

test-release: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -LE stress
	VANTREL_STRESS_ROUNDS=$(STRESS_SMOKE_ROUNDS) \
	  ctest --test-dir $(BUILD) --output-on-failure -L stress

# Windows: the programs cross-built with MinGW, Qt built for it once into a cache outside the
# repository (scripts/windows-toolchain.sh); `make windows` packs
# build-windows/Vantrel-<version>-win64.zip and ...-win64-setup.exe, `make test-windows` runs
# the Windows tests under Wine and compares vantrel-tiff.exe with the Linux build's.
windows: deps
	scripts/windows-build.sh $(WIN_BUILD) windows-package

test-windows: build
	scripts/windows-build.sh $(WIN_BUILD) all $(CURDIR)/$(BUILD)/cli/vantrel-tiff
	ctest --test-dir $(WIN_BUILD) --output-on-failure -j $(JOBS)

asan-build: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	      -DVANTREL_SANITIZE=ON -DVANTREL_BUILD_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test-asan: asan-build
	$(SAN_ENV) ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) -LE stress
	$(SAN_ENV) VANTREL_STRESS_ROUNDS=$(STRESS_SMOKE_ROUNDS) \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -L stress

stress: asan-build
	$(SAN_ENV) VANTREL_STRESS_ROUNDS=$(STRESS_ROUNDS) \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -L stress

fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	      -DCMAKE_CXX_COMPILER=clang++ -DVANTREL_FUZZ=ON \
	      -DBUILD_TESTING=OFF -DVANTREL_BUILD_BENCH=OFF
	cmake --build $(FUZZ_BUILD) --target vantrel_fuzzers -j $(JOBS)

fuzz: fuzz-build
	scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

test-fuzz: fuzz-build
	FUZZ_SEED=1 scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SMOKE_SECONDS)

bench: build
	@scripts/install-bench-deps.sh
	cmake --build $(BUILD) --target vantrel_benchmarks -j $(JOBS)
	scripts/run-benchmarks.sh $(BUILD)

# The Debian package: build/vantrel_<version>_<arch>.deb
package: build
	cmake --build $(BUILD) --target package

# The package checked as a distribution checks it: lintian, desktop entry, AppStream metadata,
# manual pages, versions, and the same files as `cmake --install`.
test-package: package
	scripts/check-package.sh $(BUILD)

# The files of the package under PREFIX (and DESTDIR, when given) instead of /usr.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A synthetic 16-bit film scan with EXIF and GPS to try the program on.
SAMPLE := $(BUILD)/sample/vantrel-sample.tif
sample: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) --target vantrel-tiff -j $(JOBS)
	mkdir -p $(dir $(SAMPLE))
	./$(BUILD)/cli/vantrel-tiff sample $(SAMPLE)
	@echo "Sample scan: $(SAMPLE)"

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WIN_BUILD)

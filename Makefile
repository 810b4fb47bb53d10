# SPDX-License-Identifier: GPL-3.0-or-later
# Front door: make run, make test, make bench, make format; make bench-desktop (the window's
# interaction times), make test-asan (the suite under ASan and UBSan), make test-long (1,000
# kills of a writing process), make fuzz.
BUILD_DIR ?= build
BENCH_DIR ?= build-bench
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
# make fuzz runs every target for FUZZ_SECONDS in all; make test runs a smoke run of FUZZ_SMOKE_SECONDS.
FUZZ_SECONDS ?= 1200
FUZZ_SMOKE_SECONDS ?= 50
JOBS ?= $(shell nproc)

.PHONY: deps configure build run test test-asan test-long fuzz-build fuzz bench-configure bench bench-desktop bench-desktop-x11 format format-check deb install clean

deps:
	bash scripts/install-deps.sh

# ccache, where installed, keys on paths relative to the checkout. Sources that use a
# precompiled header seldom hit it (the header is compiled anew in every build folder and its
# bytes differ), so a fresh clone compiles them again: measured, none of 857 hit.
export CCACHE_BASEDIR := $(CURDIR)
# Sources that use a precompiled header are cached at all only when ccache may trust its defines
# and times.
export CCACHE_SLOPPINESS := pch_defines,time_macros,include_file_mtime,include_file_ctime
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache,)

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPENNYLOOM_WERROR=ON $(LAUNCHER)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/pennyloom

test: build fuzz-build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	bash scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SMOKE_SECONDS)

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer; any report fails it.
# -O1 with line tables is what the sanitizers' reports need, and compiles a third faster than the
# main build's flags; the checks of the sources ran in make test already.
test-asan: deps
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPENNYLOOM_SANITIZE=ON \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DPENNYLOOM_SOURCE_CHECKS=OFF $(LAUNCHER)
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The crash-safety test with 1,000 kills instead of 50; it runs longer than a test's usual limit.
test-long: build
	PENNYLOOM_KILL_ROUNDS=1000 QTEST_FUNCTION_TIMEOUT=3600000 PENNYLOOM_TEST_CLASS=CrashSafetyTest \
	  QT_QPA_PLATFORM=offscreen ./$(BUILD_DIR)/tests/tst_store

# The fuzz targets are built with clang, apart from the main build.
fuzz-build: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DPENNYLOOM_BUILD_TESTS=OFF -DPENNYLOOM_BUILD_FUZZ=ON $(LAUNCHER)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_targets

fuzz: fuzz-build
	bash scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

bench-configure: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DPENNYLOOM_BUILD_TESTS=OFF -DPENNYLOOM_BUILD_BENCH=ON $(LAUNCHER)

# bench_desktop drives the whole window over every size for minutes; make bench-desktop runs it.
bench: bench-configure
	cmake --build $(BENCH_DIR) -j $(JOBS)
	for b in $(BENCH_DIR)/bench/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ] && [ "$${b##*/}" != bench_desktop ]; then "$$b"; fi; done

# The program's window, offscreen, on empty books and on 10^5 and 10^6 entries: each
# interaction from the input to the end of its last paint.
bench-desktop: bench-configure
	cmake --build $(BENCH_DIR) -j $(JOBS) --target bench_desktop
	$(BENCH_DIR)/bench/bench_desktop

# The same at a real X server with a window manager (Xvfb and openbox), on the xcb platform.
bench-desktop-x11: bench-configure
	cmake --build $(BENCH_DIR) -j $(JOBS) --target bench_desktop
	BENCH_DIR=$(BENCH_DIR) bash scripts/bench-desktop-x11

DEB_DIR ?= build-deb

# A Debian package of a Release build, in $(DEB_DIR)/.
deb: deps
	cmake -S . -B $(DEB_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DPENNYLOOM_BUILD_TESTS=OFF $(LAUNCHER)
	cmake --build $(DEB_DIR) -j $(JOBS)
	cd $(DEB_DIR) && cpack -G DEB

# Installs the program, its launcher entry, icon and metadata under PREFIX (default /usr/local).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

format-check:
	bash scripts/check-format.sh

format:
	find src tests bench fuzz -name '*.h' -o -name '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR) $(DEB_DIR) $(ASAN_DIR) $(FUZZ_DIR)

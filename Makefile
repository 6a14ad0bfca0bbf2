# The whole set-up on a fresh Debian or Ubuntu machine:
#   make            install missing packages, configure, build the three
#                   programs (and nothing else) into build/bin/
#   make run        the same, then start a program: APP=pixolin (default),
#                   APP=tilora, or APP=dotpress ARGS="..."
#   make test       the same, then build the tests and run every one, then
#                   again under AddressSanitizer and UndefinedBehaviorSanitizer
#                   (installs GoogleTest, ImageMagick, the reference decoder
#                   dotpress is checked against, and the tools the install
#                   check uses)
#   make bench      benchmarks and whole-program timings (installs Google
#                   Benchmark, ImageMagick and Tiled for the comparisons)
#   make fuzz       the fuzz targets, FUZZ_SECONDS each (default 60)
#   make install    the same as make, then install the programs, their man
#                   pages, desktop entries, icons and file types into PREFIX
#                   (/usr/local)

BUILD    := build
SANITIZE := build/sanitize
APP      ?= pixolin
ARGS     ?=
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX   ?= /usr/local

# GoogleTest; ImageMagick, the reference decoder; what the install check
# validates the desktop entries and file types with; and the C compiler that
# compiles the C source the programs write.
TEST_PACKAGES := libgtest-dev imagemagick desktop-file-utils shared-mime-info libglib2.0-bin gcc

SANITIZER_OPTIONS := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
                     UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

.PHONY: all deps build run test bench fuzz install clean

all: build

deps:
	@tools/install-deps.sh

# Configured without tests and benchmarks, so that building the programs needs
# none of their packages; make test and make bench switch them on.
$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DPMTOOLS_TESTS=OFF -DPMTOOLS_BENCH=OFF

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

run: build
ifeq ($(APP),dotpress)
	$(BUILD)/bin/dotpress $(ARGS)
else ifeq ($(APP),tilora)
	$(BUILD)/bin/tilora $(ARGS)
else ifeq ($(APP),pixolin)
	@if [ -x $(BUILD)/bin/pixolin ]; then $(BUILD)/bin/pixolin $(ARGS); \
	else tools/dotpress-demo.sh $(BUILD)/bin/dotpress examples $(BUILD)/examples; fi
else
	@echo "APP is pixolin, tilora or dotpress" >&2; exit 2
endif

test: build
	@tools/install-deps.sh $(TEST_PACKAGES)
	cmake -S . -B $(BUILD) -DPMTOOLS_TESTS=ON
	cmake --build $(BUILD) --target tests
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(SANITIZE) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
	    -DPMTOOLS_SANITIZE=ON -DPMTOOLS_TESTS=ON -DPMTOOLS_BENCH=OFF
	cmake --build $(SANITIZE) --target tests
	cd $(SANITIZE) && $(SANITIZER_OPTIONS) ctest --output-on-failure -j $(JOBS)

bench: build
	@tools/install-deps.sh libbenchmark-dev imagemagick tiled
	cmake -S . -B $(BUILD) -DPMTOOLS_BENCH=ON
	cmake --build $(BUILD) --target benchmarks
	for bench in $(BUILD)/bin/*_bench; do $$bench || exit 1; done
	converter/bench/whole_program.sh $(BUILD)/bin
	tools/export-bench.sh $(BUILD)/bin

fuzz: deps
	tools/fuzz.sh

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)

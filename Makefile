# The whole set-up on a fresh Debian or Ubuntu machine:
#   make            install missing packages, configure, build into build/bin/
#   make run        the same, then start a program: APP=pixolin (default),
#                   APP=tilora, or APP=dotpress ARGS="..."
#   make test       the same, then every test, then again under
#                   AddressSanitizer and UndefinedBehaviorSanitizer (installs
#                   ImageMagick, the reference decoder dotpress is checked against)
#   make bench      benchmarks and whole-program timings (installs ImageMagick
#                   and Tiled for the comparisons)
#   make fuzz       the fuzz targets, FUZZ_SECONDS each (default 60)
#   make install    the same as make, then install the programs, their man
#                   pages, desktop entries and icons into PREFIX (/usr/local)

BUILD    := build
SANITIZE := build/sanitize
APP      ?= pixolin
ARGS     ?=
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX   ?= /usr/local

SANITIZER_OPTIONS := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
                     UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

.PHONY: all deps build run test bench fuzz install clean

all: build

deps:
	@tools/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

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
	@tools/install-deps.sh imagemagick
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(SANITIZE) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
	    -DPMTOOLS_SANITIZE=ON -DPMTOOLS_BENCH=OFF
	cmake --build $(SANITIZE)
	cd $(SANITIZE) && $(SANITIZER_OPTIONS) ctest --output-on-failure -j $(JOBS)

bench: build
	@tools/install-deps.sh imagemagick tiled
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

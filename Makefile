# Two entry points for a fresh Debian machine: `make demo` and `make test`.
# Both install what is missing, configure and build.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all setup build demo test test-asan fuzz bench clean

all: build

setup:
	@bash tools/setup.sh

$(BUILD)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	$(BUILD)/bin/vaarikas analyse data/demo/demo.txt

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer, in a
# separate build directory (the editor is left out of that build).
test-asan: setup
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVAARIKAS_SANITIZE=ON -DVAARIKAS_EDITOR=OFF $(CMAKE_ARGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# libFuzzer targets (clang); run one with e.g. build-fuzz/fuzz/<target> -max_total_time=60
fuzz: setup
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DVAARIKAS_FUZZ=ON -DVAARIKAS_EDITOR=OFF
	cmake --build build-fuzz -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/*; do [ -x "$$b" ] && [ -f "$$b" ] && { echo "== $$b"; "$$b"; }; done; true

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz

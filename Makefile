# The two everyday commands:
#   make run   installs what is missing, builds, and starts the editor
#   make test  installs what is missing, builds, and runs every test
JOBS ?= $(shell nproc)

.PHONY: run test setup build-release build-test build-tsan build-fuzz bench format clean

setup:
	@tools/setup.sh

build-release: setup
	cmake --preset release >/dev/null
	cmake --build build/release -j $(JOBS)

run: build-release
	tools/run-program.sh build/release

build-test: setup
	cmake --preset test >/dev/null
	cmake --build build/test -j $(JOBS)

build-tsan: setup
	cmake --preset tsan >/dev/null
	cmake --build build/tsan -j $(JOBS) --target tsan_tests

# The fuzz targets, each run by CTest over its seeds and a bounded number of
# new inputs; open-ended runs with tools/fuzz.sh.
build-fuzz: setup
	cmake --preset fuzz >/dev/null
	cmake --build build/fuzz -j $(JOBS)

test: build-test build-tsan build-fuzz
	tools/run-tests.sh

bench: setup
	cmake --preset bench >/dev/null
	cmake --build build/bench -j $(JOBS)
	for b in build/bench/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# Formats every C++ source as the style test expects (clang-format-16).
format: setup
	tools/check-format.sh --fix

clean:
	rm -rf build

# The two everyday commands are `make run` and `make test`.
.PHONY: deps configure build test test-asan bench fuzz run format clean

# `make bench BENCH_ARGS=--all-articles` reads all 24,000 articles in the bulk row.
# Seconds each fuzz target runs under `make fuzz`.
SECONDS ?= 30

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset default >/dev/null

build: configure
	@cmake --build --preset default

test: build
	@ctest --preset default

test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	@ctest --preset asan

bench: deps
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench
	@scripts/run-bench build/bench $(BENCH_ARGS)

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@scripts/run-fuzz build/fuzz $(SECONDS)

run: build
	@scripts/run build/default

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build

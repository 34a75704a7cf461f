# The two everyday commands are `make run` and `make test`.
.PHONY: deps configure build test test-asan bench run format clean

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
	@scripts/run-bench build/bench

run: build
	@scripts/run build/default

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build

# The two commands users need: `make demo` and `make test`. Everything else is for developers.
JOBS    ?= $(shell nproc)
CMAKE   ?= cmake
GEN     := -G Ninja

.PHONY: setup demo test bench fuzz format clean

setup:
	@scripts/setup

build/release/build.ninja: | setup
	@$(CMAKE) $(GEN) -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build/asan/build.ninja: | setup
	@$(CMAKE) $(GEN) -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DLINTARO_SANITIZE=ON >/dev/null

build/bench/build.ninja: | setup
	@$(CMAKE) $(GEN) -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DLINTARO_BENCH=ON >/dev/null

demo: setup build/release/build.ninja
	@$(CMAKE) --build build/release -j $(JOBS) --target lintaro
	@scripts/demo build/release/shell/lintaro

test: setup build/asan/build.ninja
	@$(CMAKE) --build build/asan -j $(JOBS)
	@cd build/asan && ctest --output-on-failure -j $(JOBS)

bench: setup build/bench/build.ninja
	@$(CMAKE) --build build/bench -j $(JOBS)
	@scripts/bench build/bench

fuzz: setup
	@CC=clang CXX=clang++ $(CMAKE) $(GEN) -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DLINTARO_FUZZ=ON >/dev/null
	@$(CMAKE) --build build/fuzz -j $(JOBS)
	@scripts/fuzz build/fuzz

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build out

# Front door: `make test` and `make run` do everything from a fresh machine.
BUILD ?= build
B := $(abspath $(BUILD))
JOBS ?= $(shell nproc)

.PHONY: all deps build test run bench screenshots clean

all: build

deps:
	@./scripts/install-deps.sh

$(B)/win64/CMakeCache.txt:
	cmake -S . -B $(B)/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release -DHOURWRIGHT_TESTS=ON

$(B)/win32/CMakeCache.txt:
	cmake -S . -B $(B)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release

build: deps $(B)/win64/CMakeCache.txt $(B)/win32/CMakeCache.txt
	cmake --build $(B)/win32 -j $(JOBS)
	cmake --build $(B)/win64 -j $(JOBS)
	@./scripts/check-pure.sh

test: build
	./scripts/run-tests.sh $(B)

run: build
	./scripts/run-program.sh $(B)

bench: build
	./scripts/run-bench.sh $(B)

screenshots: build
	./scripts/screenshots.sh $(B)

clean:
	rm -rf $(B)

# Front door: `make test` and `make run` do everything from a fresh machine.
BUILD ?= build
B := $(abspath $(BUILD))
JOBS ?= $(shell nproc)

.PHONY: all deps build test fuzz run bench clean

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

# The native sanitizer run and the corpus replay come first: they take
# seconds and fail fast.
test: build
	./scripts/run-native.sh $(B)
	./scripts/run-tests.sh $(B)

# FUZZ_SECONDS per target (default 60), then CRASH_KILLS kills (default 300).
fuzz: build
	./scripts/run-native.sh $(B)
	./scripts/run-fuzz.sh $(B)

run: build
	./scripts/run-program.sh $(B)

bench: build
	./scripts/run-bench.sh $(B)

clean:
	rm -rf $(B)

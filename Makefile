# Front door: `make test` and `make run` do everything from a fresh machine.
BUILD ?= build
B := $(abspath $(BUILD))
JOBS ?= $(shell nproc)

.PHONY: all deps build build32 test test32 fuzz run bench screenshots dist clean

all: build

deps:
	@./scripts/install-deps.sh

$(B)/win64/CMakeCache.txt:
	cmake -S . -B $(B)/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release -DHOURWRIGHT_TESTS=ON

$(B)/win32/CMakeCache.txt:
	cmake -S . -B $(B)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release

# hourwright-report built natively and optimized: the one CI and the bench time.
$(B)/report/CMakeCache.txt:
	cmake -S report_cli -B $(B)/report -DCMAKE_BUILD_TYPE=Release

# The 32-bit program that ships; its folder also holds the 32-bit tests once
# `make test32` has run, so the tested and the shipped program share objects.
build32: deps $(B)/win32/CMakeCache.txt
	cmake --build $(B)/win32 -j $(JOBS) --target hourwright
	@# A second call: a build folder older than the command learns of it in the first.
	cmake --build $(B)/win32 -j $(JOBS) --target hourwright-report

build: build32 $(B)/win64/CMakeCache.txt $(B)/report/CMakeCache.txt
	cmake --build $(B)/win64 -j $(JOBS)
	cmake --build $(B)/report -j $(JOBS)
	@./scripts/check-pure.sh

# The layer check, the native sanitizer run and the corpus replay come
# first: they take seconds and fail fast.
test: build
	./scripts/check-layers.sh
	./scripts/run-native.sh $(B)
	./scripts/run-report-tests.sh $(B)
	./scripts/run-tests.sh $(B)

# The shipping 32-bit build and its installer, tested under the 32-bit Wine of
# a chroot (root, about 2.5 GB and 5 minutes the first time).
test32: dist
	./scripts/wine32-chroot.sh setup $(CURDIR) $(B)
	cmake -S . -B $(B)/win32 -DHOURWRIGHT_TESTS=ON \
	  "-DCMAKE_CROSSCOMPILING_EMULATOR=$(CURDIR)/scripts/wine32-chroot.sh;run;wine"
	cmake --build $(B)/win32 -j $(JOBS) --target hourwright_tests
	HOURWRIGHT_DIST_DIR=$(CURDIR)/dist ./scripts/run-tests.sh $(B) win32

# FUZZ_SECONDS per target (default 60), then CRASH_KILLS kills (default 300).
fuzz: build
	./scripts/run-native.sh $(B)
	./scripts/run-fuzz.sh $(B)

run: build
	./scripts/run-program.sh $(B)

bench: build
	./scripts/run-bench.sh $(B)

screenshots: build
	./scripts/screenshots.sh $(B)

# dist/hourwright-<version>-win32.zip and dist/hourwright-<version>-setup.exe
dist: build32
	./scripts/make-dist.sh $(B) $(CURDIR)/dist

clean:
	rm -rf $(B)

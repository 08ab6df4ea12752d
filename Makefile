# Plinkpad: `make run` starts the toy in a window, `make test` runs every test.
# Both install what is missing (Debian 12) and build first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

PREFIX ?= /usr/local

.PHONY: deps build run test install package asan-test fuzz bench screenshots clean

deps:
	@./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./plinkpad --windowed

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Installs the program, its disc, desktop entry, icons and manual pages
# under PREFIX (DESTDIR is honoured).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, in the build folder.
package: build
	cd $(BUILD) && cpack -G DEB

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test: deps
	cmake -S . -B $(BUILD)-asan -DPLINKPAD_SANITIZE=ON -DPLINKPAD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(BUILD)-asan -j $(JOBS)
	cd $(BUILD)-asan && ctest --output-on-failure -j $(JOBS)

# Short libFuzzer runs over every target (FUZZ_SECONDS each).
FUZZ_SECONDS ?= 30
fuzz: deps
	./scripts/fuzz.sh $(BUILD)-fuzz $(FUZZ_SECONDS)

bench: build
	./scripts/bench.sh $(BUILD)

# The program's screenshots in docs/screenshots, from scripted headless runs.
screenshots: build
	./scripts/screenshots.sh $(abspath $(BUILD))

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-fuzz

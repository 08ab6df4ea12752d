# Plinkpad: `make run` starts the toy in a window, `make test` runs every test.
# Both install what is missing (Debian 12) and build first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

PREFIX ?= /usr/local

.PHONY: deps build run test install package asan-test fuzz bench screenshots web-deps web web-serve web-test clean

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

# The page: Plinkpad in a web browser, built with emscripten into WEB_BUILD
# from the native build's disc (docs/web.md). `make web-serve` serves it on
# http://localhost:WEB_PORT/; `make web-test` opens it in Chromium.
WEB_BUILD ?= build-web
WEB_PORT ?= 8000
# emscripten's tools need Debian's node modules, whichever Node.js runs them.
WEB_ENV = NODE_PATH=/usr/share/nodejs$(if $(NODE_PATH),:$(NODE_PATH))

web-deps:
	@./scripts/install-web-deps.sh $(abspath $(WEB_BUILD))/third_party

web: deps web-deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target disc pagefiles assetgen
	$(WEB_ENV) emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DPLINKPAD_FREETYPE_SOURCE=$(abspath $(WEB_BUILD))/third_party/freetype \
	  -DPLINKPAD_ZLIB_SOURCE=$(abspath $(WEB_BUILD))/third_party/zlib \
	  -DPLINKPAD_DISC_SOURCE=$(abspath $(BUILD))/disc -DPLINKPAD_NATIVE_TOOLS=$(abspath $(BUILD))
	$(WEB_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)

web-serve: web
	node platform/web/serve.mjs $(WEB_BUILD) $(WEB_PORT)

# The browser test compares the page with the native program's headless run.
web-test: web
	@./scripts/install-web-deps.sh $(abspath $(WEB_BUILD))/third_party --browser
	cmake --build $(BUILD) -j $(JOBS) --target plinkpad sts
	PLINKPAD_WEB_DIR=$(abspath $(WEB_BUILD)) PLINKPAD_PROGRAM=$(abspath $(BUILD))/plinkpad \
	  node --test tests/web/

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-fuzz $(WEB_BUILD)

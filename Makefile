# The two commands: `make run` (the editor on the demo project) and `make test` (every test).
# Both install what is missing on Debian/Ubuntu, configure and build incrementally.

BUILD     ?= build
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=
DEMO      := examples/demo

# Debian packages the build and the tests need; the last line builds and checks the Debian package.
PACKAGES := g++ make cmake pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
            libbenchmark-dev libjpeg-dev qt6-translations-l10n \
            dpkg-dev file desktop-file-utils appstream

.PHONY: all deps build test run bench fuzz sanitize clean format screenshots pictures package app-icon

all: build

deps:
	@scripts/install-deps.sh $(PACKAGES)

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@scripts/run-demo.sh $(BUILD)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

screenshots: build
	$(BUILD)/tests/make_screenshots docs/screenshots

pictures: build
	$(BUILD)/tests/draw_wizard_pictures resources/wizard

# The Debian package, from the programs already built: $(BUILD)/setwright_VERSION_ARCH.deb.
package: build
	cd $(BUILD) && cpack -G DEB

app-icon:
	python3 scripts/draw-app-icon.py packaging/icons

sanitize:
	$(MAKE) test BUILD=build-asan CMAKE_ARGS="-DSETWRIGHT_SANITIZE=ON -DSETWRIGHT_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug"

fuzz:
	@scripts/run-fuzzers.sh build-fuzz $${FUZZ_SECONDS:-60}

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-asan build-fuzz

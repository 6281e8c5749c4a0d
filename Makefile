# Thin wrapper over CMake. `make run`, `make test`, `make bench`, `make install`, `make package`.
BUILD ?= build
JOBS ?= $(shell nproc)
ARCHIVE ?=
PREFIX ?= /usr/local

.PHONY: all deps configure build run test bench install package clean

all: build

deps:
	@bash scripts/install-deps.sh

# Our own build, the one `make test` and CI run, treats every warning as an error.
$(BUILD)/build.ninja: CMakeLists.txt Makefile
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh "$(BUILD)" "$(ARCHIVE)"

test: build
	@bash scripts/test.sh "$(BUILD)"

bench: configure
	cmake --build $(BUILD) -j $(JOBS) --target varmelo_bench varmelo_gui_bench varmelo_scene_bench
	$(BUILD)/bench/varmelo_bench
	$(BUILD)/bench/varmelo_gui_bench
	# The 3D view draws through OpenGL, which needs an X server: Mesa under Xvfb.
	QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1280x1024x24' $(BUILD)/bench/varmelo_scene_bench

# Installs the programs, desktop entry, icon, MIME types, language files and manual page
# under PREFIX (DESTDIR is honoured for staging).
install: build
	cmake --install $(BUILD) --prefix "$(PREFIX)"

# $(BUILD)/varmelo_<version>_<arch>.deb
package: build
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD)
